// Icon files (.ico) checked as the build checks an author's icon, and taken apart into the
// resources a program carries: one icon image per entry and the group that lists them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "bytes/little_endian.h"

struct IconImage {
    unsigned char width = 0;  // 0 stands for 256
    unsigned char height = 0;
    unsigned char colourCount = 0;
    std::uint16_t planes = 0;
    std::uint16_t bitCount = 0;
    Bytes data;  // a BITMAPINFOHEADER image with its mask, or a PNG file
};

// True when `file` begins as an icon file does (0, 0, 1, 0).
bool looksLikeIconFile(const Bytes& file);

// The images of the icon file `file`. False with a reason for the author, and `images`
// left empty, when it is not an icon file the menu can show: fewer than 22 bytes, a wrong
// signature, no images, an image outside the file or neither a bitmap nor a PNG image.
bool readIconFile(const Bytes& file, std::vector<IconImage>& images, std::string& reason);

// The icon group resource (RT_GROUP_ICON) listing `images` as the icon resources numbered
// firstId, firstId + 1, ... in order.
Bytes iconGroup(const std::vector<IconImage>& images, std::uint16_t firstId);
