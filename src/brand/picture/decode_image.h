// Reading an author's picture file through the platform's imaging library.
#pragma once

#include <string>

#include "brand/picture/image.h"

// Reads PNG, JPEG, BMP, GIF (first frame) or TIFF through WIC. A JPEG or TIFF photo comes
// upright as its orientation tag says; a picture with a colour profile comes in sRGB where
// the platform converts it, and with its colours as stored otherwise. False with a
// one-line reason for the author when the file is missing, not an image, truncated or
// damaged; `image` is then left empty. Pictures larger than 30000 pixels on a side or with
// more than 50 million pixels are refused with a reason rather than decoded.
bool decodeImageFile(const char* path, RgbaImage& image, std::string& reason);
