// A picture in memory, as the branding tool passes it from the decoder to the resampler.
#pragma once

#include <vector>

// A decoded picture: top-down rows, 4 bytes a pixel in the order R, G, B, A (A 255 = opaque).
// pixels holds exactly width * height * 4 bytes when both are positive.
struct RgbaImage {
    int width = 0;
    int height = 0;
    std::vector<unsigned char> pixels;
};
