// Input as a user gives it: the pointer moved and the left button clicked over a window,
// keys pressed and released, all through the system's input queue.
#pragma once

#include <windows.h>

// Moves the pointer to the client point (x, y) of `window` and waits (bounded) until the
// system reports it there. True when it got there.
bool movePointerTo(HWND window, int x, int y);

// Moves the pointer to the client point (x, y) of `window` and presses and releases the
// left button there. True when the pointer got there and the input was taken.
bool clickAt(HWND window, int x, int y);

// Presses and releases the key `virtualKey`. With `downs` above 1 the key is held: it goes
// down that many times, as auto-repeat makes it, before it is released. True when the
// input was taken.
bool pressKey(WORD virtualKey, int downs = 1);
