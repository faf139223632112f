// What MenuDialogProc returns for each message: 1 for a message it handled, 0 to leave it
// to the platform's default dialog handling.
#include <windows.h>
#include <gtest/gtest.h>

#include "menu_window.h"
#include "state/launcher_state.h"
#include "window/menu_dialog.h"

namespace {

using DialogProcedure = MenuWindowTest;

TEST_F(DialogProcedure, ReturnsForEveryMessage) {
    struct Row {
        const char* name;
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
        int showNumbers;
        bool pictureMissing;
        INT_PTR returned;
    } const rows[] = {
        {"set-up with the picture", WM_INITDIALOG, 0, 0, 1, false, 1},
        {"set-up without the picture", WM_INITDIALOG, 0, 0, 1, true, 0},
        {"paint", WM_PAINT, 0, 0, 1, false, 0},
        {"pointer over an entry", WM_MOUSEMOVE, 0, at(400, 70), 1, false, 0},
        {"pointer over nothing", WM_MOUSEMOVE, 0, at(10, 10), 1, false, 0},
        {"press on an entry", WM_LBUTTONDOWN, MK_LBUTTON, at(400, 70), 1, false, 0},
        {"press on nothing", WM_LBUTTONDOWN, MK_LBUTTON, at(10, 10), 1, false, 0},
        {"digit 1, numbers off", WM_KEYUP, '1', 0, 0, false, 1},
        {"A, numbers off", WM_KEYUP, 'A', 0, 0, false, 1},
        {"digit 1", WM_KEYUP, '1', 0, 1, false, 0},
        {"digit 3, an empty entry", WM_KEYUP, '3', 0, 1, false, 0},
        {"digit 5", WM_KEYUP, '5', 0, 1, false, 0},
        {"digit 6, no such entry", WM_KEYUP, '6', 0, 1, false, 0},
        {"digit 9, no such entry", WM_KEYUP, '9', 0, 1, false, 0},
        {"digit 0", WM_KEYUP, '0', 0, 1, false, 1},
        {"keypad 1", WM_KEYUP, VK_NUMPAD1, 0, 1, false, 1},
        {"letter A", WM_KEYUP, 'A', 0, 1, false, 1},
        {"Enter", WM_KEYUP, VK_RETURN, 0, 1, false, 1},
        {"command OK", WM_COMMAND, IDOK, 0, 1, false, 1},
        {"command 1002", WM_COMMAND, 1002, 0, 1, false, 1},
        {"command 0xFFFF", WM_COMMAND, 0xFFFF, 0, 1, false, 1},
        {"accelerator", WM_COMMAND, MAKEWPARAM(IDOK, 1), 0, 1, false, 0},
        {"notification 0x300", WM_COMMAND, MAKEWPARAM(1002, 0x300), 0, 1, false, 0},
        {"button up", WM_LBUTTONUP, 0, at(400, 70), 1, false, 0},
        {"double click", WM_LBUTTONDBLCLK, MK_LBUTTON, at(400, 70), 1, false, 0},
        {"key down", WM_KEYDOWN, '1', 0, 1, false, 0},
        {"character", WM_CHAR, '1', 0, 1, false, 0},
        {"system key up", WM_SYSKEYUP, '1', 0, 1, false, 0},
        {"timer", WM_TIMER, 1, 0, 1, false, 0},
        {"close request", WM_CLOSE, 0, 0, 1, false, 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        launcherState.view.ShowNumbers = row.showNumbers;
        HWND window = createMenu();
        ASSERT_NE(nullptr, window);
        if (row.pictureMissing) {
            launcherState.instanceHandle = GetModuleHandleA("kernel32.dll");
            launcherState.backgroundBitmap = nullptr;
        }
        EXPECT_EQ(row.returned, MenuDialogProc(window, row.message, row.wParam, row.lParam));
        launcherState.instanceHandle = GetModuleHandleA(nullptr);
        DestroyWindow(window);
    }
}

}  // namespace
