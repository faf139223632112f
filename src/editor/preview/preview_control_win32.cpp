#include "editor/preview/preview_control.h"

#include "editor/preview/menu_preview.h"
#include "state/launcher_state.h"

namespace {

MenuPreview* previewOf(HWND control) {
    return reinterpret_cast<MenuPreview*>(GetWindowLongPtrW(control, GWLP_USERDATA));
}

// The window text screen readers read: what is shown, and which entry is lit.
void describe(HWND control, const MenuPreview& preview) {
    std::wstring text = preview.description();
    const std::wstring lit = preview.litText();
    if (!lit.empty()) text = lit + L" " + text;
    SetWindowTextW(control, text.c_str());
    NotifyWinEvent(EVENT_OBJECT_NAMECHANGE, control, OBJID_CLIENT, CHILDID_SELF);
}

void light(HWND control, MenuPreview& preview, int slot) {
    if (slot == preview.hover()) return;
    preview.setHover(slot);
    InvalidateRect(control, nullptr, FALSE);
    describe(control, preview);
}

void choose(HWND control, int slot) {
    SendMessageW(GetParent(control), WM_COMMAND,
                 MAKEWPARAM(static_cast<WORD>(GetDlgCtrlID(control)), slot),
                 reinterpret_cast<LPARAM>(control));
}

// Up and down light the shown entries in turn, passing the slots without one.
void step(HWND control, MenuPreview& preview, bool down) {
    const int slot = preview.hover();
    const int by = down ? 1 : kMenuItemSlots - 1;
    int next = slot < 0 ? (down ? kMenuItemSlots - 1 : 0) : slot;
    for (int tried = 0; tried < kMenuItemSlots; ++tried) {
        next = (next + by) % kMenuItemSlots;
        preview.setHover(next);
        if (preview.hover() == next) break;
    }
    preview.setHover(slot);
    light(control, preview, next);
}

LRESULT CALLBACK previewProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam) {
    MenuPreview* preview = previewOf(control);
    switch (message) {
        case WM_PAINT: {
            PAINTSTRUCT paint;
            HDC dc = BeginPaint(control, &paint);
            paintPreviewContent(control, dc);
            EndPaint(control, &paint);
            return 0;
        }
        case WM_PRINTCLIENT:
            paintPreviewContent(control, reinterpret_cast<HDC>(wParam));
            return 0;
        case WM_MOUSEMOVE: {
            if (preview == nullptr) return 0;
            TRACKMOUSEEVENT track = {sizeof track, TME_LEAVE, control, 0};
            TrackMouseEvent(&track);
            light(control, *preview,
                  preview->entryAt(static_cast<short>(LOWORD(lParam)),
                                   static_cast<short>(HIWORD(lParam))));
            return 0;
        }
        case WM_MOUSELEAVE:
            if (preview != nullptr) light(control, *preview, -1);
            return 0;
        case WM_LBUTTONDOWN: {
            SetFocus(control);
            if (preview == nullptr) return 0;
            const int slot = preview->entryAt(static_cast<short>(LOWORD(lParam)),
                                              static_cast<short>(HIWORD(lParam)));
            if (slot >= 0) choose(control, slot);
            return 0;
        }
        case WM_GETDLGCODE: {
            // The arrows, and Enter, which the dialog manager would otherwise turn into the
            // default button's command.
            LRESULT code = DLGC_WANTARROWS;
            const MSG* key = reinterpret_cast<const MSG*>(lParam);
            if (key != nullptr && key->message == WM_KEYDOWN && key->wParam == VK_RETURN)
                code |= DLGC_WANTMESSAGE;
            return code;
        }
        case WM_KEYDOWN:
            if (preview == nullptr) break;
            if (wParam == VK_DOWN || wParam == VK_UP) {
                step(control, *preview, wParam == VK_DOWN);
                return 0;
            }
            if ((wParam == VK_RETURN || wParam == VK_SPACE) && preview->hover() >= 0) {
                choose(control, preview->hover());
                return 0;
            }
            break;
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
            InvalidateRect(control, nullptr, FALSE);
            return 0;
        default:
            break;
    }
    return DefWindowProcW(control, message, wParam, lParam);
}

}  // namespace

bool registerPreviewControl(HINSTANCE instance) {
    WNDCLASSEXW type = {};
    type.cbSize = sizeof type;
    type.lpfnWndProc = previewProc;
    type.hInstance = instance;
    type.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    type.lpszClassName = kPreviewControlClass;
    return RegisterClassExW(&type) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

void setPreviewOf(HWND control, MenuPreview* preview) {
    SetWindowLongPtrW(control, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(preview));
    previewChanged(control);
}

void previewChanged(HWND control) {
    if (MenuPreview* preview = previewOf(control)) describe(control, *preview);
    InvalidateRect(control, nullptr, FALSE);
}

void paintPreviewContent(HWND control, HDC dc) {
    if (const MenuPreview* preview = previewOf(control)) preview->paint(dc, 0, 0);
    if (GetFocus() == control) {
        RECT focus = {0, 0, 600, 397};
        DrawFocusRect(dc, &focus);
    }
}
