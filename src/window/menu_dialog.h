// The menu window: one modal dialog made from its template (IDD_MENU).
#pragma once

#include <windows.h>

constexpr int kReshowEndCode = 1002;  // a dialog ended with this code is shown again

// The dialog procedure of the menu window. Returns 1 for a message it handled and 0 to
// leave a message to the platform's default dialog handling.
INT_PTR CALLBACK MenuDialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Window set-up: icons, the picture, the client area sized to the picture, centred on the
// screen, the title. 1 when the picture was loaded; 0, with only the icons loaded, when not.
INT_PTR setUpMenuWindow(HWND window);

// Moves `window` so that its outer rectangle is centred on the primary screen; its size,
// Z order and activation stay as they are.
void centreOnScreen(HWND window);

// The icon group `number` of the program at `size` by `size` pixels, or null.
HICON loadMenuIcon(int size, int number);

// Ends the modal dialog with `endCode`.
void endMenuDialog(HWND window, INT_PTR endCode);

// Paints the whole client area into `dc`: the picture, every entry in its normal colour
// and the prompt in the comment box. Draws nothing when there is no picture.
void paintMenu(HWND window, HDC dc);

// Draws entry `index` in the active colour when `active` is not 0, else in the normal
// colour; nothing for an empty entry. Leaves the font, colour and mode selected in `dc`.
void drawMenuItem(HDC dc, int index, int active);

// Fills the comment box and writes the prompt (`index` -1) or entry `index`'s comment.
void drawCommentBox(HDC dc, int index);

// Follows the pointer at `lParam`: redraws the entry it left, the entry it entered and the
// comment box, only when the entry under it changed, and tells screen readers.
void trackPointer(HWND window, LPARAM lParam);

// Starts the entry in slot `index` through the shell; shows its error text when the shell
// refuses; posts a close request when the entry asks for it.
void launchMenuItem(int index, HWND window);

// Gives back COM, if the first launch or the first screen reader set it up.
void releaseShell();
