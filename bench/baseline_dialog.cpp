// The floor for showing any window here: a dialog from the menu's own template that only
// sizes itself to the picture and paints it. Nothing read, no fonts, no text.
#include <windows.h>

#include "resources/resource_ids.h"

static HBITMAP picture;

static INT_PTR CALLBACK baselineProc(HWND window, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
        case WM_INITDIALOG: {
            picture = LoadBitmapA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDB_BACKGROUND));
            BITMAP info = {};
            GetObjectA(picture, sizeof info, &info);
            RECT client;
            RECT outer;
            GetClientRect(window, &client);
            GetWindowRect(window, &outer);
            MoveWindow(window, 0, 0, (outer.right - outer.left) - client.right + info.bmWidth,
                       (outer.bottom - outer.top) - client.bottom + info.bmHeight, FALSE);
            return 1;
        }
        case WM_PAINT: {
            PAINTSTRUCT paint;
            HDC dc = BeginPaint(window, &paint);
            HDC pictureDc = CreateCompatibleDC(dc);
            HGDIOBJ kept = SelectObject(pictureDc, picture);
            BitBlt(dc, 0, 0, 600, 397, pictureDc, 0, 0, SRCCOPY);
            SelectObject(pictureDc, kept);
            DeleteDC(pictureDc);
            EndPaint(window, &paint);
            return 0;
        }
        case WM_COMMAND:
            if (wParam > 0xFFFF) return 0;
            EndDialog(window, static_cast<INT_PTR>(wParam));
            return 1;
        default:
            return 0;
    }
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_MENU), nullptr, baselineProc, 0);
    return 0;
}
