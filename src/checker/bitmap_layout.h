// Where the parts of a packed bitmap lie, as a program's bitmap resource holds one: an
// information header (BITMAPINFOHEADER or a later, longer one), the three colour masks of a
// BI_BITFIELDS picture when the header is the short one, the colour table, then the pixels.
// Read from the bytes alone, so a header that lies about its sizes is caught here.
#pragma once

#include <cstddef>

struct BitmapLayout {
    int width = 0;
    int height = 0;                // rows, whichever way they are stored
    std::size_t pixelsOffset = 0;  // from the header's first byte
};

// False when the `size` bytes at `bytes` are no uncompressed bitmap of 1, 4, 8, 16, 24 or
// 32 bits per pixel (16 and 32 also with colour masks) with sides of at most 8192 pixels,
// or do not hold all of its pixels.
bool bitmapLayout(const unsigned char* bytes, std::size_t size, BitmapLayout& layout);
