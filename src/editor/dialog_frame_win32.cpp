#include "editor/dialog_frame.h"

#include "editor/editor_dpi.h"

namespace {

// A dialog template with no controls, menu, class or title: the dialog makes its controls.
struct alignas(4) EmptyTemplate {
    DLGTEMPLATE header;
    WORD menu, windowClass, title;
};

}  // namespace

INT_PTR runDialog(HWND owner, DLGPROC procedure, LPARAM parameter) {
    EmptyTemplate frame = {};
    frame.header.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_CENTER;
    return DialogBoxIndirectParamW(nullptr, &frame.header, owner, procedure, parameter);
}

HWND createChildDialog(HWND parent, int id, DLGPROC procedure, LPARAM parameter) {
    EmptyTemplate frame = {};
    frame.header.style = WS_CHILD | DS_CONTROL;
    frame.header.dwExtendedStyle = WS_EX_CONTROLPARENT;
    HWND dialog = CreateDialogIndirectParamW(nullptr, &frame.header, parent, procedure, parameter);
    if (dialog != nullptr) SetWindowLongPtrW(dialog, GWLP_ID, id);
    return dialog;
}

void sizeDialog(HWND dialog, int width, int height) {
    const UINT dpi = windowDpi(dialog);
    const DWORD style = static_cast<DWORD>(GetWindowLongW(dialog, GWL_STYLE));
    const DWORD extended = static_cast<DWORD>(GetWindowLongW(dialog, GWL_EXSTYLE));
    const SIZE size =
        frameSize({scaled(width, dpi), scaled(height, dpi)}, style, false, extended, dpi);
    SetWindowPos(dialog, nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER);
}

HWND makeDialogControl(HWND dialog, const wchar_t* type, const wchar_t* text, DWORD style, int id,
                       int x, int y, int width, int height) {
    const UINT dpi = windowDpi(dialog);
    HWND control = CreateWindowExW(
        0, type, text, WS_CHILD | WS_VISIBLE | style, scaled(x, dpi), scaled(y, dpi),
        scaled(width, dpi), scaled(height, dpi), dialog,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
        reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(dialog, GWLP_HINSTANCE)), nullptr);
    LRESULT font = SendMessageW(dialog, WM_GETFONT, 0, 0);
    if (font == 0) font = reinterpret_cast<LRESULT>(GetStockObject(DEFAULT_GUI_FONT));
    SendMessageW(control, WM_SETFONT, static_cast<WPARAM>(font), FALSE);
    return control;
}

UINT popUpUnder(HWND button, HMENU menu) {
    RECT place;
    GetWindowRect(button, &place);
    const UINT chosen =
        static_cast<UINT>(TrackPopupMenu(menu, TPM_RETURNCMD | TPM_NONOTIFY, place.left,
                                         place.bottom, 0, GetParent(button), nullptr));
    DestroyMenu(menu);
    return chosen;
}
