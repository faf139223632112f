// Writing a picture as a PNG file, with nothing but this program's own code.
#pragma once

#include <vector>

#include "brand/picture/image.h"

// A complete PNG file of `image` (8 bits a channel, with alpha). Each row takes the PNG
// filter that leaves the smallest differences; the data is deflated with repeated strings
// found through hash chains and Huffman codes made for it. Same input, same bytes.
// `image` must hold width * height * 4 bytes, width and height positive.
std::vector<unsigned char> pngFile(const RgbaImage& image);
