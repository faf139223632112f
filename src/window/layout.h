// The fixed geometry of the menu on its 600 x 397 picture: five entry places on the right
// and the comment box at the lower right. Coordinates are client pixels of the window,
// which are the picture's own pixels.
#pragma once

#include <cstdint>

#include "window/rect.h"

// The place of slot `i`: {310, 60 + 35i, 590, 92 + 35i}. Defined for any i.
RECT itemRect(std::int32_t i);

// True exactly when the point lies strictly inside: the edges belong to no rectangle.
bool pointInsideRect(std::int32_t x, std::int32_t y, const RECT& rect);

// The slot of the non-empty entry whose place strictly contains the point, or -1.
std::int32_t itemFromPoint(std::int32_t x, std::int32_t y);

// The comment box, filled with the comment background: {300, 270, 599, 396}.
RECT commentBoxRect();

// The comment box moved in by 10 pixels on every side, where its text is laid out.
RECT commentTextRect();
