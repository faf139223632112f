#include "resources/resource_ids.h"
#include "state/launcher_state.h"
#include "window/menu_dialog.h"

HICON loadMenuIcon(int size, int number) {
    return static_cast<HICON>(LoadImageA(launcherState.instanceHandle, MAKEINTRESOURCEA(number),
                                         IMAGE_ICON, size, size, LR_DEFAULTCOLOR));
}

void centreOnScreen(HWND window) {
    RECT outer;
    GetWindowRect(window, &outer);
    // Signed division that truncates toward zero, on the full primary screen.
    const int x = (GetSystemMetrics(SM_CXSCREEN) + outer.left - outer.right) / 2;
    const int y = (GetSystemMetrics(SM_CYSCREEN) + outer.top - outer.bottom) / 2;
    SetWindowPos(window, nullptr, x, y, -1, -1, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

INT_PTR setUpMenuWindow(HWND window) {
    // The images of an earlier showing are kept and used again.
    if (launcherState.bigIcon == nullptr) launcherState.bigIcon = loadMenuIcon(32, IDI_MENU);
    if (launcherState.smallIcon == nullptr) launcherState.smallIcon = loadMenuIcon(16, IDI_MENU);
    if (launcherState.backgroundBitmap == nullptr) {
        launcherState.backgroundBitmap =
            LoadBitmapA(launcherState.instanceHandle, MAKEINTRESOURCEA(IDB_BACKGROUND));
    }
    if (launcherState.backgroundBitmap == nullptr) return 0;

    RECT client;
    RECT outer;
    BITMAP picture = {};
    GetClientRect(window, &client);
    GetWindowRect(window, &outer);
    GetObjectA(launcherState.backgroundBitmap, sizeof picture, &picture);

    // Keep whatever frame the platform draws and make the client area the picture's size.
    const int width = (outer.right - outer.left) - (client.right - client.left) + picture.bmWidth;
    const int height = (outer.bottom - outer.top) - (client.bottom - client.top) + picture.bmHeight;
    MoveWindow(window, client.left, client.top, width, height, FALSE);
    centreOnScreen(window);

    SetWindowTextA(window, launcherState.menuTitle);
    SendMessageA(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(launcherState.bigIcon));
    SendMessageA(window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(launcherState.smallIcon));
    return 1;
}

void endMenuDialog(HWND window, INT_PTR endCode) { EndDialog(window, endCode); }
