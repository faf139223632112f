// Texts measured with the fonts the menu makes, on a device compatible with the screen, the
// way the menu lays them out (window/layout.h): captions on one line in their entry place,
// the prompt and comments word-wrapped in the comment box.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct HDC__;
struct HFONT__;

// How a text fills the comment box.
struct CommentFit {
    int lines;       // lines the text is broken into
    int shownLines;  // whole lines the box has room for; a line shown only in part is not drawn
    bool tooWide;    // some line stays wider than the box and is cut at its right edge
};

// One of the menu's own fonts, selected into its own memory device. Takes ownership.
// Texts are measured as characters of code page `codePage`, the way a system with that
// ANSI code page draws the menu's bytes.
class MeasuringFont {
public:
    explicit MeasuringFont(HFONT__* font, unsigned codePage = 0);
    ~MeasuringFont();
    MeasuringFont(const MeasuringFont&) = delete;
    MeasuringFont& operator=(const MeasuringFont&) = delete;

    // False when the platform made no font or device; nothing can be measured then.
    bool ready() const { return ready_; }

    // The face the platform really uses for the font on this system.
    std::string faceInUse() const;

    // Height of one line of text in pixels.
    int lineHeight() const;

    // Width in pixels of the first `length` characters of `text` on one line.
    int width(const char* text, std::size_t length) const;

    // How `text` (at most its first 1023 characters, as the menu draws) fills the box.
    CommentFit commentFit(const std::string& text) const;

private:
    HDC__* dc_ = nullptr;
    HFONT__* font_ = nullptr;
    void* keptFont_ = nullptr;
    unsigned codePage_ = 0;
    bool ready_ = false;
};
