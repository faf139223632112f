// A program icon made from an author's square picture.
#pragma once

#include <string>
#include <vector>

#include "brand/picture/image.h"

// A complete .ico file made from a square picture: 16, 20, 24, 32, 40 and 48 pixels as
// 32-bit bitmaps with alpha and an AND mask, and 256 pixels as a PNG image (stored
// compressed, as Windows Vista and later read it) when that PNG takes at most 64 KiB, as a
// logo's does; a photo's would not, and its icon ends at 48. Each size is resampled from the
// picture (area averaging when shrinking, Catmull-Rom when enlarging). Same input, same bytes.
// Empty with a one-line reason when the picture is not square or smaller than 16 x 16,
// or its pixel buffer is shorter than width * height * 4.
std::vector<unsigned char> iconFileFromImage(const RgbaImage& image, std::string& reason);
