// The menu's background picture made from any decoded picture.
#pragma once

#include <vector>

#include "brand/picture/image.h"

// The 600 x 397 picture the menu shows, as resource 111 holds it: a 40-byte
// BITMAPINFOHEADER, a 256-colour palette (blue, green, red, 0 for each colour) and 397
// bottom-up rows of 600 palette indexes (600 is a multiple of 4, so no row padding).
//
// The picture is scaled to cover 600 x 397 and its centre is cropped, or with `fit` it is
// scaled to fit inside and letterboxed on `fitColour` (0x00BBGGRR). Transparent and
// partly transparent pixels are laid over `fitColour` in both modes (pass 0x00FFFFFF for
// white). Shrinking averages areas; enlarging interpolates (Catmull-Rom); colours are
// reduced to a palette chosen for the picture and spread with error diffusion.
// Integer arithmetic throughout: the same input gives the same bytes on every build.
//
// Empty when the picture is empty or its pixel buffer is shorter than width * height * 4.
std::vector<unsigned char> menuPictureFromImage(const RgbaImage& image, bool fit,
                                                unsigned fitColour);
