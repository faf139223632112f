// The editor's small dialogs made without resource templates: a modal popup or a child
// dialog from an empty template, and its controls placed in pixels at 96 DPI, scaled to the
// dialog's monitor and given the dialog font.
#pragma once

#include <windows.h>

// Runs a modal dialog over `owner`, centred, calling `procedure` (WM_INITDIALOG gets
// `parameter`). Returns what EndDialog was given; -1 when Windows refuses.
INT_PTR runDialog(HWND owner, DLGPROC procedure, LPARAM parameter);

// Makes a hidden child dialog of `parent` with id `id` (a page over the tabs), which takes
// part in its parent's tab order. Null when Windows refuses.
HWND createChildDialog(HWND parent, int id, DLGPROC procedure, LPARAM parameter);

// Gives `dialog` a client area of `width` x `height` pixels at 96 DPI.
void sizeDialog(HWND dialog, int width, int height);

// Makes control `id` of `dialog` at (x, y), `width` x `height` pixels at 96 DPI.
HWND makeDialogControl(HWND dialog, const wchar_t* type, const wchar_t* text, DWORD style, int id,
                       int x, int y, int width, int height);

// Shows `menu` under the control `button` and destroys it; the command chosen, 0 for none.
UINT popUpUnder(HWND button, HMENU menu);
