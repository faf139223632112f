#include "brand/picture/dither.h"

#include <algorithm>
#include <cstddef>

namespace {

constexpr std::int32_t full = 255 * 256;

// The error carried to a pixel, kept in sixteenths: rounded back to 8.8 here.
std::int32_t sixteenths(std::int32_t carried) {
    std::int32_t shifted = carried + 8;
    return shifted >= 0 ? shifted / 16 : -((-shifted + 15) / 16);
}

}  // namespace

std::vector<unsigned char> ditherToPalette(const std::vector<std::int32_t>& rgb, int width,
                                           int height, const std::vector<Rgb>& palette) {
    NearestColour nearest(palette);
    std::vector<unsigned char> indexes(static_cast<std::size_t>(width) * height);
    // Errors of this row and the next, one pixel of margin on both sides.
    std::size_t span = (static_cast<std::size_t>(width) + 2) * 3;
    std::vector<std::int32_t> here(span, 0);
    std::vector<std::int32_t> next(span, 0);
    for (int y = 0; y < height; ++y) {
        bool forward = y % 2 == 0;
        for (int i = 0; i < width; ++i) {
            int x = forward ? i : width - 1 - i;
            std::size_t at = static_cast<std::size_t>(y) * width + x;
            std::size_t e = static_cast<std::size_t>(x + 1) * 3;
            std::int32_t want[3];
            for (int c = 0; c < 3; ++c)
                want[c] = std::clamp(rgb[at * 3 + c] + sixteenths(here[e + c]), 0, full);
            int chosen =
                nearest.find((want[0] + 128) >> 8, (want[1] + 128) >> 8, (want[2] + 128) >> 8);
            indexes[at] = static_cast<unsigned char>(chosen);
            Rgb got = palette[static_cast<std::size_t>(chosen)];
            std::int32_t gotValues[3] = {redOf(got) * 256, greenOf(got) * 256, blueOf(got) * 256};
            std::size_t ahead = forward ? e + 3 : e - 3;
            std::size_t behind = forward ? e - 3 : e + 3;
            for (int c = 0; c < 3; ++c) {
                std::int32_t error = want[c] - gotValues[c];
                // 7/16 ahead, 3/16 behind below, 5/16 below, 1/16 ahead below.
                here[ahead + c] += error * 7;
                next[behind + c] += error * 3;
                next[e + c] += error * 5;
                next[ahead + c] += error * 1;
            }
        }
        here.swap(next);
        std::fill(next.begin(), next.end(), 0);
    }
    return indexes;
}
