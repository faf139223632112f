// Pictures made in memory for the picture tests, and what the tests read back.
#pragma once

#include <cstdint>
#include <vector>

#include "brand/picture/image.h"

// A width x height picture of one colour (0xAARRGGBB).
RgbaImage solidPicture(int width, int height, std::uint32_t argb);

// A width x height picture with smooth ramps, rings and sharp lines, all made in integer
// arithmetic so every build makes the same one.
RgbaImage patternPicture(int width, int height);

// The little-endian number of `size` bytes at `at`.
std::uint32_t readNumber(const std::vector<unsigned char>& bytes, std::size_t at, int size);

// 64-bit FNV-1a of the bytes, to pin outputs that must never change between builds.
std::uint64_t fnv1a(const std::vector<unsigned char>& bytes);

// The colour (0xRRGGBB) of pixel (x, y), y counted from the top, of a menu picture as
// menuPictureFromImage makes it.
std::uint32_t menuPixel(const std::vector<unsigned char>& picture, int x, int y);
