// Scaling a picture, or a part of it, to a new size in integer arithmetic, so every build
// gives the same values.
#pragma once

#include <cstdint>
#include <vector>

#include "brand/picture/image.h"

// A picture in working precision: top-down rows, 4 values a pixel (R, G, B, A) in 8.8
// fixed point (255 is 65280). Colours are premultiplied by alpha, so a colour never
// exceeds its pixel's alpha.
struct WideImage {
    int width = 0;
    int height = 0;
    std::vector<std::int32_t> values;
};

// Full intensity in WideImage values.
constexpr std::int32_t wideOne = 255 * 256;

// A rectangle of the source in 1/65536ths of a pixel; it may reach past the source's
// edges (the edge pixels then repeat).
struct SourceRegion {
    std::int64_t x = 0;
    std::int64_t y = 0;
    std::int64_t width = 0;
    std::int64_t height = 0;
};

// The whole of a width x height picture as a region.
SourceRegion wholeRegion(int width, int height);

// `region` of `source` scaled to outWidth x outHeight (both positive). Along each axis an
// output pixel averages the source area it covers when the region shrinks, and
// interpolates the neighbouring 4 source pixels (Catmull-Rom) when it grows. Averages are
// taken in the picture's own (gamma-encoded) values, premultiplied by alpha so that
// transparent pixels lend no colour. `source` must hold width * height * 4 bytes and the
// region a positive width and height.
WideImage resampleRegion(const RgbaImage& source, const SourceRegion& region, int outWidth,
                         int outHeight);
