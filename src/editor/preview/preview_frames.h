// The preview's frames: 600 x 397 pictures of 32 bits a pixel that the menu's own painting
// draws into, with a hidden window of the frame's size for it to measure.
#pragma once

#include <windows.h>

#include "state/launcher_state.h"

struct Picture;

class PreviewFrames {
public:
    // Frame 0 is the menu as it opens; frame 1 + slot has entry `slot` lit.
    static constexpr int kCount = kMenuItemSlots + 1;

    PreviewFrames() = default;
    ~PreviewFrames();
    PreviewFrames(const PreviewFrames&) = delete;
    PreviewFrames& operator=(const PreviewFrames&) = delete;

    // Makes the window, the drawing device and the frames on first use; false when the
    // platform cannot.
    bool ready();

    // A hidden popup window whose client area is exactly one frame.
    HWND window() const { return window_; }

    // The device that draws into frame `frame` (0 to kCount - 1), until the next call.
    HDC canvas(int frame);

    // Copies every pixel of frame `from` into frame `to`.
    void copy(int from, int to);

    // Paints frame `frame` at (x, y) of `dc`, one pixel per pixel.
    void paint(HDC dc, int x, int y, int frame) const;

private:
    HWND window_ = nullptr;
    HDC canvas_ = nullptr;
    HGDIOBJ canvasBitmap_ = nullptr;  // the device's own, put back before it goes
    HBITMAP frames_[kCount] = {};
    void* pixels_[kCount] = {};
};

// A bitmap of `picture` for the menu's painting to draw from, or null when the picture is
// not 600 x 397 or the platform cannot make one. The caller owns it.
HBITMAP pictureBitmap(const Picture& picture);
