#include "window/menu_dialog.h"

#include "config/menu_item.h"
#include "state/launcher_state.h"
#include "window/entry_order.h"
#include "window/layout.h"
#include "window/menu_accessible.h"
#include "window/system_library.h"

// Lights entry `entered` (-1: none) in place of the lit one, and tells screen readers.
static void lightEntry(HWND window, int entered) {
    if (entered == launcherState.hoverIndex) return;

    // Old entry back to normal, new entry lit, then its comment: straight into the window.
    HDC dc = GetDC(window);
    if (launcherState.hoverIndex != -1) drawMenuItem(dc, launcherState.hoverIndex, 0);
    if (entered != -1) drawMenuItem(dc, entered, 1);
    drawCommentBox(dc, entered);
    ReleaseDC(window, dc);
    launcherState.hoverIndex = entered;
    if (entered != -1) announceLitEntry(window, entered);
}

void trackPointer(HWND window, LPARAM lParam) {
    lightEntry(window, itemFromPoint(LOWORD(lParam), HIWORD(lParam)));
}

static INT_PTR clickAt(HWND window, LPARAM lParam) {
    const int entry = itemFromPoint(LOWORD(lParam), HIWORD(lParam));
    if (entry != -1) launchMenuItem(entry, window);
    return 0;
}

// True while a Shift key is down, as of the message being handled. Found on first use, so
// the program's import table stays as it is.
static bool shiftDown() {
    using GetKeyStateFunction = SHORT(WINAPI*)(int);
    static const GetKeyStateFunction getKeyState =
        findFunction<GetKeyStateFunction>(GetModuleHandleA("user32.dll"), "GetKeyState");
    return getKeyState != nullptr && getKeyState(VK_SHIFT) < 0;
}

// Keys act when released: the dialog manager takes the presses of Tab and the arrows for
// its own use, and every release reaches this procedure. Up and Down (wrapping) and Tab
// and Shift+Tab light the previous or next entry as the pointer would; Space starts the lit
// one, as it presses the focused button elsewhere. Digit keys 1 to 9 of the main keyboard
// start the entry of their slot when entries are numbered. Keypad digits and 0 do nothing.
static INT_PTR keyReleased(HWND window, WPARAM key) {
    switch (key) {
        case VK_DOWN:
        case VK_UP:
        case VK_TAB: {
            const bool back = key == VK_UP || (key == VK_TAB && shiftDown());
            lightEntry(window, nextShownEntry(launcherState.hoverIndex, back ? -1 : 1));
            return 1;
        }
        case VK_SPACE:
            if (launcherState.hoverIndex != -1) launchMenuItem(launcherState.hoverIndex, window);
            return 1;
        default:
            break;
    }
    if (launcherState.view.ShowNumbers == 0) return 1;
    if (key < '1' || key > '9') return 1;
    const int slot = static_cast<int>(key - '1');
    if (slot < launcherState.itemCount && slot < kMenuItemSlots) launchMenuItem(slot, window);
    return 0;
}

// A screen reader's request to start the entry in slot `slot`: only a shown entry starts.
static INT_PTR startEntry(HWND window, WPARAM slot) {
    if (slot < kMenuItemSlots && shownEntryPosition(static_cast<int>(slot)) != -1) {
        launchMenuItem(static_cast<int>(slot), window);
    }
    return 1;
}

static INT_PTR command(HWND window, WPARAM wParam) {
    // Only commands without a notification code end the menu (Enter, Esc, close requests,
    // and 1002 from outside, which shows it again).
    if (wParam > 0xFFFF) return 0;
    endMenuDialog(window, static_cast<INT_PTR>(wParam));
    return 1;
}

INT_PTR CALLBACK MenuDialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG:
            return setUpMenuWindow(window);
        case WM_PAINT: {
            PAINTSTRUCT paint;
            HDC dc = BeginPaint(window, &paint);
            paintMenu(window, dc);
            EndPaint(window, &paint);
            return 0;
        }
        case WM_MOUSEMOVE:
            trackPointer(window, lParam);
            return 0;
        case WM_LBUTTONDOWN:
            return clickAt(window, lParam);
        case WM_KEYUP:
            return keyReleased(window, wParam);
        case WM_COMMAND:
            return command(window, wParam);
        case WM_GETOBJECT:
            return answerGetObject(window, wParam, lParam);
        case kStartEntryMessage:
            return startEntry(window, wParam);
        default:
            return 0;
    }
}
