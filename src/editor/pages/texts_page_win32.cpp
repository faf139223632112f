// The Texts page: the section note, Title and Prompt, the entry box and the entry's fields.
#include <windows.h>
#include <commctrl.h>

#include "editor/editor_ids.h"
#include "editor/pages/page.h"

namespace {

constexpr int kWidth = 340;

const PageControl kControls[] = {
    {IDC_TITLE, IDC_SECTION_NOTE, WC_STATICW, L"", SS_LEFT, 0, 0, kWidth, 32},
    {IDC_CAPTION, IDC_ENTRY_LABEL, WC_STATICW, L"E&ntry:", SS_LEFT, 0, 134, 50, 16},
    {IDC_CAPTION, IDC_ENTRY_BOX, WC_COMBOBOXW, L"Entry", WS_TABSTOP | CBS_DROPDOWNLIST | WS_VSCROLL,
     54, 130, kWidth - 54, 200},
    {IDC_PARAMETERS, IDC_BROWSE_COMMAND, WC_BUTTONW, L"&Browse...", WS_TABSTOP | BS_PUSHBUTTON,
     kWidth - 80, 224, 80, 25},
};
const PageSetup kSetup = {Page::Texts, kControls, sizeof kControls / sizeof kControls[0]};

}  // namespace

HWND createTextsPage(HWND parent) {
    return createPage(parent, IDC_TEXTS_PAGE, plainPageProc, kSetup);
}
