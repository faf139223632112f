// What the menu tells screen readers (Microsoft Active Accessibility): the window's client
// area as an object whose children are the entries that show a caption, in slot order,
// then the prompt. Nothing of it is loaded until a client first asks.
#pragma once

#include <windows.h>

// Posted to the menu window by the accessible object to start the entry in slot `wParam`
// once the client's call has returned, as a click would start it.
constexpr UINT kStartEntryMessage = WM_APP + 1;

// Answers WM_GETOBJECT: for the client area, loads the accessibility libraries and COM on
// the first call, sets the dialog's message result to the object and returns 1. Returns 0,
// leaving the request to the platform, for any other object or when anything is missing.
INT_PTR answerGetObject(HWND window, WPARAM wParam, LPARAM lParam);

// Tells clients that the entry in slot `slot` is now the lit one (it has the focus).
void announceLitEntry(HWND window, int slot);
