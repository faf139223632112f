// Contrast between text and what lies behind it, as WCAG 2 measures it: the ratio of the
// two relative luminances, each plus 0.05, from 1:1 (the same) to 21:1 (black on white).
#pragma once

#include <cstdint>
#include <vector>

// A picture as the menu shows it: rows from the top, each pixel a colour as the platform
// takes it (red in the lowest byte, then green, blue).
struct Picture {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;
};

double relativeLuminance(std::uint32_t colour);
double contrastRatio(std::uint32_t a, std::uint32_t b);

// The contrast a text colour reaches against the picture in a rectangle of it.
struct Backdrop {
    double ratio = 21.0;      // the contrast that counts (below)
    std::uint32_t pixel = 0;  // the picture's colour that gives that contrast
    bool measured = false;    // false when the rectangle holds no pixel of the picture
};

// The contrast `colour` keeps against every pixel of the picture in [left, right) x
// [top, bottom) but the `letGo` share (0.05: 5 %) of pixels most like it: a few specks as
// dark as the text do not count, a background mostly as dark does.
Backdrop textContrast(const Picture& picture, int left, int top, int right, int bottom,
                      std::uint32_t colour, double letGo);

// A picture's pixels as indexes into its distinct colours (the menu's pictures have 256 at
// most), for measuring many text colours on one picture.
struct PictureColours {
    std::vector<std::uint32_t> colours;  // each colour once
    std::vector<std::uint32_t> index;    // of each pixel, in the picture's order
};
PictureColours pictureColours(const Picture& picture);

// Whether textContrast would find `colour` to keep at least `least` in the rectangle (true
// when there is nothing to measure), `colours` being pictureColours(picture). Counts instead
// of sorting, and compares the very ratios textContrast compares, so trying every colour of
// the table on many captions stays quick and agrees with it exactly.
bool keepsContrast(const Picture& picture, const PictureColours& colours, int left, int top,
                   int right, int bottom, std::uint32_t colour, double letGo, double least);
