// The three pages of fields (Texts, Look, Windows), each a child dialog of the editor's
// window over its tabs, with a flat procedure of its own. A page holds the fields the field
// table puts on it, each with its label, and the few controls of its own (the entry box,
// Browse, ...). It hands every command of its controls to the editor's window.
#pragma once

#include <windows.h>

#include "editor/session/field_table.h"

// A control of a page that is no field: where it stands, in pixels at 96 DPI.
struct PageControl {
    int before;  // the field it comes before in tab order; 0: after every field
    int id;
    const wchar_t* type;
    const wchar_t* text;
    DWORD style;
    int x, y, width, height;
};

struct PageSetup {
    Page page;
    const PageControl* controls;
    std::size_t count;
};

// Makes the page as a hidden child dialog of `parent` with id `id`, holding its fields and
// `setup`'s controls (which must outlive it), calling `procedure`, which must hand
// WM_INITDIALOG to initPageDialog. Null when Windows refuses.
HWND createPage(HWND parent, int id, DLGPROC procedure, const PageSetup& setup);

// Makes a page's controls (from WM_INITDIALOG, whose lParam is the PageSetup).
void initPageDialog(HWND page, LPARAM setup);

// Places the page's controls at `dpi` with `font`.
void layOutPage(HWND page, UINT dpi, HFONT font);

// The page procedures' common answers: commands go to the editor's window, and the
// labels stand on the tab's own background.
INT_PTR pageCommand(HWND page, WPARAM wParam, LPARAM lParam);

// The procedure of a page with nothing of its own to handle: the two above.
INT_PTR CALLBACK plainPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);

// The three pages.
HWND createTextsPage(HWND parent);
HWND createLookPage(HWND parent);
HWND createWindowsPage(HWND parent);

// Draws one item of a colour box on the Look page: its swatch and its name.
void drawSwatch(const DRAWITEMSTRUCT& item);
