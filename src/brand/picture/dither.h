// Putting a picture into the colours of a palette with error diffusion.
#pragma once

#include <cstdint>
#include <vector>

#include "brand/picture/palette.h"

// Palette indexes, top-down rows of `width`, for an opaque picture given as 3 values a
// pixel (R, G, B) in 8.8 fixed point (255 is 65280). Floyd-Steinberg error diffusion,
// serpentine: even rows run left to right, odd rows right to left, so the carried error
// leaves no diagonal drift. Integer arithmetic only.
std::vector<unsigned char> ditherToPalette(const std::vector<std::int32_t>& rgb, int width,
                                           int height, const std::vector<Rgb>& palette);
