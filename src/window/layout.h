// The fixed geometry of the menu on its 600 x 397 picture: five entry places on the right
// and the comment box at the lower right, with where and how text is drawn in them.
// Coordinates are client pixels of the window, which are the picture's own pixels.
// Painting, and the checker's measuring and contrast checks, all go by these numbers.
#pragma once

#include <cstdint>

#include "state/launcher_state.h"
#include "window/rect.h"

// Slot i is kItemWidth x kItemHeight pixels with its top left corner at
// (kItemLeft, kItemTop + i * kItemPitch).
constexpr std::int32_t kItemLeft = 310;
constexpr std::int32_t kItemTop = 60;
constexpr std::int32_t kItemWidth = 280;
constexpr std::int32_t kItemHeight = 32;
constexpr std::int32_t kItemPitch = 35;

// A caption is drawn on one line from kCaptionOffset pixels right of and below the top
// left corner of its place, clipped to the place: it has 272 x 24 pixels of room.
constexpr std::int32_t kCaptionOffset = 8;
constexpr std::int32_t kCaptionRoomWidth = kItemWidth - kCaptionOffset;
constexpr std::int32_t kCaptionRoomHeight = kItemHeight - kCaptionOffset;

// Where the captions of the five slots can draw: from the first one's text origin to the
// far corner of the last place, {318, 68, 590, 232}.
constexpr RECT kCaptionsArea = {kItemLeft + kCaptionOffset, kItemTop + kCaptionOffset,
                                kItemLeft + kItemWidth,
                                kItemTop + (kMenuItemSlots - 1) * kItemPitch + kItemHeight};

// The comment box, filled with the comment background (columns 300 to 598, rows 270 to
// 395), and the margin its text keeps on every side.
constexpr RECT kCommentBox = {300, 270, 599, 396};
constexpr std::int32_t kCommentMargin = 10;

// DrawText's format for the text of the comment box, DT_WORDBREAK | DT_EDITCONTROL: broken
// at words, a last line shown only in part left out. The values are the platform's;
// painting checks them against its headers.
constexpr unsigned kCommentTextFormat = 0x0010 | 0x2000;

// The place of slot `i`: {310, 60 + 35i, 590, 92 + 35i}. Defined for any i.
RECT itemRect(std::int32_t i);

// True exactly when the point lies strictly inside: the edges belong to no rectangle.
bool pointInsideRect(std::int32_t x, std::int32_t y, const RECT& rect);

// The slot of the non-empty entry whose place strictly contains the point, or -1.
std::int32_t itemFromPoint(std::int32_t x, std::int32_t y);

// kCommentBox: {300, 270, 599, 396}.
RECT commentBoxRect();

// The comment box moved in by kCommentMargin on every side, where its text is laid out.
RECT commentTextRect();
