// Where the pixels of a bitmap resource start: after the header, the colour masks of a
// BI_BITFIELDS picture with the short header, and any colour table it declares.
#include "checker/bitmap_layout.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace {

struct Header {
    std::uint32_t size = 40;
    std::int32_t width = 4;
    std::int32_t height = 2;
    unsigned bits = 24;
    std::uint32_t compression = 0;
    std::uint32_t coloursUsed = 0;
};

void put(std::vector<unsigned char>& bytes, std::size_t at, std::uint32_t value, int count) {
    for (int i = 0; i < count; ++i) bytes[at + i] = static_cast<unsigned char>(value >> (8 * i));
}

// The header's bytes followed by `following` more.
std::vector<unsigned char> bitmap(const Header& header, std::size_t following) {
    std::vector<unsigned char> bytes(header.size + following, 0);
    put(bytes, 0, header.size, 4);
    put(bytes, 4, static_cast<std::uint32_t>(header.width), 4);
    put(bytes, 8, static_cast<std::uint32_t>(header.height), 4);
    put(bytes, 12, 1, 2);  // planes
    put(bytes, 14, header.bits, 2);
    put(bytes, 16, header.compression, 4);
    put(bytes, 32, header.coloursUsed, 4);
    return bytes;
}

constexpr std::uint32_t kRgb = 0;
constexpr std::uint32_t kRle8 = 1;
constexpr std::uint32_t kBitFields = 3;

TEST(BitmapLayout, PixelsStartAfterMasksAndColourTable) {
    const struct {
        const char* name;
        Header header;
        std::size_t pixelsOffset;  // 0: refused
        std::size_t pixelBytes;    // of a 4 x 2 picture
    } cases[] = {
        {"8 bits, full table", {40, 4, 2, 8, kRgb, 0}, 40 + 256 * 4, 8},
        {"8 bits, 16 colours", {40, 4, 2, 8, kRgb, 16}, 40 + 16 * 4, 8},
        {"4 bits", {40, 4, 2, 4, kRgb, 0}, 40 + 16 * 4, 8},
        {"1 bit", {40, 4, 2, 1, kRgb, 0}, 40 + 2 * 4, 8},
        {"24 bits", {40, 4, 2, 24, kRgb, 0}, 40, 24},
        // A picture of more than 8 bits that declares a table still stores it.
        {"24 bits with a table", {40, 4, 2, 24, kRgb, 3}, 40 + 3 * 4, 24},
        {"32 bits with a table", {40, 4, 2, 32, kRgb, 256}, 40 + 256 * 4, 32},
        {"16 bits", {40, 4, 2, 16, kRgb, 0}, 40, 16},
        // The short header is followed by three masks; a longer one holds them.
        {"16 bits, masks", {40, 4, 2, 16, kBitFields, 0}, 40 + 12, 16},
        {"32 bits, masks and a table", {40, 4, 2, 32, kBitFields, 2}, 40 + 12 + 2 * 4, 32},
        {"32 bits, masks in a V5 header", {124, 4, 2, 32, kBitFields, 0}, 124, 32},
        {"rows from the top", {40, 4, -2, 24, kRgb, 0}, 40, 24},
        {"8 bits, V4 header", {108, 4, 2, 8, kRgb, 0}, 108 + 256 * 4, 8},
        // What the platform does not draw from memory, or what lies about its sizes.
        {"compressed", {40, 4, 2, 8, kRle8, 0}, 0, 8},
        {"24 bits with masks", {40, 4, 2, 24, kBitFields, 0}, 0, 24},
        {"8 bits, 257 colours", {40, 4, 2, 8, kRgb, 257}, 0, 8},
        {"table past the end", {40, 4, 2, 24, kRgb, 0x40000000}, 0, 24},
        {"largest table", {40, 4, 2, 24, kRgb, 0xFFFFFFFF}, 0, 24},
        {"15 bits", {40, 4, 2, 15, kRgb, 0}, 0, 16},
        {"no width", {40, 0, 2, 24, kRgb, 0}, 0, 24},
        {"no height", {40, 4, 0, 24, kRgb, 0}, 0, 24},
        {"too wide", {40, 8193, 2, 24, kRgb, 0}, 0, 24},
        {"most negative height", {40, 4, INT32_MIN, 24, kRgb, 0}, 0, 24},
        {"short header", {39, 4, 2, 24, kRgb, 0}, 0, 24},
    };
    for (const auto& c : cases) {
        const std::size_t following =
            (c.pixelsOffset != 0 ? c.pixelsOffset - c.header.size : 0) + c.pixelBytes;
        const std::vector<unsigned char> bytes = bitmap(c.header, following);
        BitmapLayout layout;
        const bool read = bitmapLayout(bytes.data(), bytes.size(), layout);
        EXPECT_EQ(read, c.pixelsOffset != 0) << c.name;
        if (!read || c.pixelsOffset == 0) continue;
        EXPECT_EQ(layout.pixelsOffset, c.pixelsOffset) << c.name;
        EXPECT_EQ(layout.width, 4) << c.name;
        EXPECT_EQ(layout.height, 2) << c.name;
        // One byte fewer does not hold every pixel.
        EXPECT_FALSE(bitmapLayout(bytes.data(), bytes.size() - 1, layout)) << c.name;
    }
    BitmapLayout layout;
    EXPECT_FALSE(bitmapLayout(nullptr, 0, layout));
}

}  // namespace
