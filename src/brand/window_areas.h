// The parts of the menu window drawn over the picture, in window pixels, which authors
// are told to keep calm and light: the entries' captions and the comment box. The menu's
// layout (src/window/layout.h) places them there.
#pragma once

struct WindowArea {
    int left;
    int top;
    int right;
    int bottom;
};

constexpr WindowArea kCaptionsArea = {318, 68, 590, 232};
constexpr WindowArea kCommentArea = {300, 270, 598, 395};
