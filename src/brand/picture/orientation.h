// The way up of a photo as its camera recorded it (the Orientation tag of Exif and TIFF,
// 1 to 8), and the picture turned upright by it.
#pragma once

#include <vector>

#include "brand/picture/image.h"

// `image` as it is meant to be seen when its orientation tag is `orientation`: 2 mirrored
// left to right, 3 turned half round, 4 mirrored top to bottom, 5 mirrored about the
// diagonal from the top left, 6 turned a quarter clockwise, 7 mirrored about the other
// diagonal, 8 turned a quarter anticlockwise. Any other value (1, or a tag that is missing
// or damaged) leaves it as it is, as does a buffer shorter than width * height * 4.
RgbaImage uprightImage(RgbaImage image, int orientation);

// The orientation tag of the JPEG file `file`: the Orientation entry of the first image
// directory in its Exif block (an APP1 segment). 0 when it has none, or the segments or
// the block are damaged.
int jpegOrientation(const std::vector<unsigned char>& file);
