#include "picture_samples.h"

#include <cstddef>

RgbaImage solidPicture(int width, int height, std::uint32_t argb) {
    RgbaImage image;
    image.width = width;
    image.height = height;
    for (std::size_t i = 0; i < static_cast<std::size_t>(width) * height; ++i) {
        image.pixels.insert(
            image.pixels.end(),
            {static_cast<unsigned char>(argb >> 16), static_cast<unsigned char>(argb >> 8),
             static_cast<unsigned char>(argb), static_cast<unsigned char>(argb >> 24)});
    }
    return image;
}

RgbaImage patternPicture(int width, int height) {
    RgbaImage image = solidPicture(width, height, 0xFF000000u);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            unsigned char* p = &image.pixels[(static_cast<std::size_t>(y) * width + x) * 4];
            int dx = x - width / 3;
            int dy = y - height / 2;
            p[0] = static_cast<unsigned char>(x * 255 / width);
            p[1] = static_cast<unsigned char>(y * 255 / height);
            p[2] = static_cast<unsigned char>((dx * dx + dy * dy) / 16 % 256);
            if (x % 37 == 0 || y % 29 == 0) p[1] = 255;
            p[3] = static_cast<unsigned char>(x < width / 8 ? x * 255 / (width / 8 + 1) : 255);
        }
    }
    return image;
}

std::uint64_t fnv1a(const std::vector<unsigned char>& bytes) {
    std::uint64_t hash = 14695981039346656037ull;
    for (unsigned char b : bytes) {
        hash ^= b;
        hash *= 1099511628211ull;
    }
    return hash;
}

std::uint32_t menuPixel(const std::vector<unsigned char>& picture, int x, int y) {
    std::size_t index = picture[40 + 1024 + static_cast<std::size_t>(396 - y) * 600 + x];
    const unsigned char* entry = &picture[40 + index * 4];
    return static_cast<std::uint32_t>(entry[2]) << 16 | static_cast<std::uint32_t>(entry[1]) << 8 |
           entry[0];
}

std::uint32_t readNumber(const std::vector<unsigned char>& bytes, std::size_t at, int size) {
    std::uint32_t value = 0;
    for (int i = size - 1; i >= 0; --i) value = value << 8 | bytes[at + i];
    return value;
}
