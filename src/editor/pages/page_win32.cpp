#include "editor/pages/page.h"

#include <commctrl.h>

#include "editor/dialog_frame.h"
#include "editor/editor_dpi.h"

namespace {

constexpr DWORD kEdit = WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL;
constexpr DWORD kMultiline =
    WS_TABSTOP | WS_BORDER | ES_MULTILINE | ES_WANTRETURN | ES_AUTOVSCROLL | WS_VSCROLL;
constexpr DWORD kCheck = WS_TABSTOP | BS_AUTOCHECKBOX;
constexpr DWORD kFaces = WS_TABSTOP | CBS_DROPDOWN | CBS_SORT | CBS_AUTOHSCROLL | WS_VSCROLL;
constexpr DWORD kSwatches =
    WS_TABSTOP | CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS | WS_VSCROLL;
constexpr int kLabelAbove = 17;
constexpr int kLabelHeight = 16;

// The window class and style of a field's control.
void controlOf(FieldKind kind, const wchar_t*& type, DWORD& style) {
    switch (kind) {
        case FieldKind::Text:
            type = WC_EDITW, style = kEdit;
            return;
        case FieldKind::Lines:
            type = WC_EDITW, style = kMultiline;
            return;
        case FieldKind::Check:
            type = WC_BUTTONW, style = kCheck;
            return;
        case FieldKind::Number:
            type = WC_EDITW, style = kEdit | ES_NUMBER;
            return;
        case FieldKind::Colour:
            type = WC_COMBOBOXW, style = kSwatches;
            return;
        case FieldKind::Face:
            type = WC_COMBOBOXW, style = kFaces;
            return;
    }
}

HWND make(HWND page, int id, const wchar_t* type, const wchar_t* text, DWORD style) {
    return CreateWindowExW(0, type, text, WS_CHILD | WS_VISIBLE | style, 0, 0, 10, 10, page,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                           reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(page, GWLP_HINSTANCE)),
                           nullptr);
}

void place(HWND page, int id, int x, int y, int width, int height, UINT dpi, HFONT font) {
    HWND control = GetDlgItem(page, id);
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    SetWindowPos(control, nullptr, scaled(x, dpi), scaled(y, dpi), scaled(width, dpi),
                 scaled(height, dpi), SWP_NOZORDER | SWP_NOACTIVATE);
}

using EnableThemeDialogTextureCall = HRESULT(WINAPI*)(HWND, DWORD);

// The tab's own background behind the page, where themes are on (uxtheme is looked up:
// the editor imports nothing that not every Windows has loaded).
void onTabBackground(HWND page) {
    HMODULE uxtheme = LoadLibraryExW(L"uxtheme.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    if (uxtheme == nullptr) return;
    const auto enable = reinterpret_cast<EnableThemeDialogTextureCall>(
        reinterpret_cast<void*>(GetProcAddress(uxtheme, "EnableThemeDialogTexture")));
    constexpr DWORD kEnableTab = 0x00000006;  // ETDT_ENABLETAB
    if (enable != nullptr) enable(page, kEnableTab);
}

}  // namespace

HWND createPage(HWND parent, int id, DLGPROC procedure, const PageSetup& setup) {
    return createChildDialog(parent, id, procedure, reinterpret_cast<LPARAM>(&setup));
}

void initPageDialog(HWND page, LPARAM setupParameter) {
    const PageSetup& setup = *reinterpret_cast<const PageSetup*>(setupParameter);
    SetWindowLongPtrW(page, GWLP_USERDATA, setupParameter);
    // In tab order: each field after its label, with the page's own controls where they
    // stand among them.
    const auto makeBefore = [&](int field) {
        for (std::size_t i = 0; i < setup.count; ++i) {
            const PageControl& control = setup.controls[i];
            if (control.before == field)
                make(page, control.id, control.type, control.text, control.style);
        }
    };
    for (const Field* field = fieldsBegin(); field != fieldsEnd(); ++field) {
        if (field->page != setup.page) continue;
        makeBefore(field->id);
        const wchar_t* type = WC_EDITW;
        DWORD style = 0;
        controlOf(field->kind, type, style);
        if (field->labelId != 0) make(page, field->labelId, WC_STATICW, field->label, SS_LEFT);
        make(page, field->id, type, field->labelId != 0 ? L"" : field->label, style);
    }
    makeBefore(0);
    onTabBackground(page);
}

void layOutPage(HWND page, UINT dpi, HFONT font) {
    const PageSetup* setup =
        reinterpret_cast<const PageSetup*>(GetWindowLongPtrW(page, GWLP_USERDATA));
    if (setup == nullptr) return;
    for (const Field* field = fieldsBegin(); field != fieldsEnd(); ++field) {
        if (field->page != setup->page) continue;
        if (field->labelId != 0)
            place(page, field->labelId, field->x, field->y - kLabelAbove, field->width,
                  kLabelHeight, dpi, font);
        place(page, field->id, field->x, field->y, field->width, field->height, dpi, font);
    }
    for (std::size_t i = 0; i < setup->count; ++i) {
        const PageControl& control = setup->controls[i];
        place(page, control.id, control.x, control.y, control.width, control.height, dpi, font);
    }
}

INT_PTR pageCommand(HWND page, WPARAM wParam, LPARAM lParam) {
    SendMessageW(GetParent(page), WM_COMMAND, wParam, lParam);
    return TRUE;
}

INT_PTR CALLBACK plainPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG:
            initPageDialog(page, lParam);
            return TRUE;
        case WM_COMMAND:
            return pageCommand(page, wParam, lParam);
        default:
            return FALSE;
    }
}
