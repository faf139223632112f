// The Windows page: [autorun]'s Open, Icon and Label, and the button that points Open and
// Icon at the menu program.
#include <windows.h>
#include <commctrl.h>

#include "editor/editor_ids.h"
#include "editor/pages/page.h"

namespace {

const PageControl kControls[] = {
    {0, IDC_OFFER_MENU, WC_BUTTONW, L"Make &Windows offer this menu", WS_TABSTOP | BS_PUSHBUTTON, 0,
     144, 220, 27},
    {0, IDC_AUTORUN_NOTE, WC_STATICW,
     L"Sets Open and Icon to the menu program beside autorun.inf, so that Windows offers the "
     L"menu when the medium is inserted and shows the menu's icon for the drive.",
     SS_LEFT, 0, 180, 340, 48},
};
const PageSetup kSetup = {Page::Windows, kControls, sizeof kControls / sizeof kControls[0]};

}  // namespace

HWND createWindowsPage(HWND parent) {
    return createPage(parent, IDC_WINDOWS_PAGE, plainPageProc, kSetup);
}
