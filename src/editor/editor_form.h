// The editor window's own controls beside the pages: the language, the preview, the tabs
// with the pages over them, the findings and the status bar; made once and laid out again
// whenever the window's size or DPI changes.
#pragma once

#include <windows.h>

#include <string>

// Makes the controls as children of `window`, in tab order, and the three pages.
void createForm(HWND window, HINSTANCE instance);

// Places every control for the window's client size at `dpi` and gives it `font`; the
// preview keeps 600 x 397 pixels, the findings and the pages take what room there is.
void layOutForm(HWND window, UINT dpi, HFONT font);

// The window size the form starts at, and the smallest that shows all of it, at `dpi`.
SIZE formSize(UINT dpi);
SIZE smallestFormSize(UINT dpi);

// The page with IDC_..._PAGE number `id`'s control `control`, or the window's own.
HWND formControl(HWND window, int control);

// A control's text, and setting it (unchanged text is not set again, so the caret stays).
std::wstring controlText(HWND control);
void setControlText(HWND control, const std::wstring& text);
