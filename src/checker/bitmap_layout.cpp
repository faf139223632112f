#include "checker/bitmap_layout.h"

#include <cstdint>

namespace {

constexpr std::size_t kInfoHeaderSize = 40;  // BITMAPINFOHEADER
constexpr std::uint32_t kRgb = 0;            // BI_RGB
constexpr std::uint32_t kBitFields = 3;      // BI_BITFIELDS
constexpr std::int32_t kLargestSide = 8192;
constexpr std::size_t kColourEntrySize = 4;  // RGBQUAD
constexpr std::size_t kMasksSize = 12;       // red, green and blue masks

std::uint32_t word32(const unsigned char* bytes) {
    return bytes[0] | static_cast<std::uint32_t>(bytes[1]) << 8 |
           static_cast<std::uint32_t>(bytes[2]) << 16 | static_cast<std::uint32_t>(bytes[3]) << 24;
}

unsigned word16(const unsigned char* bytes) {
    return bytes[0] | static_cast<unsigned>(bytes[1]) << 8;
}

}  // namespace

bool bitmapLayout(const unsigned char* bytes, std::size_t size, BitmapLayout& layout) {
    if (size < kInfoHeaderSize) return false;
    const std::uint32_t headerSize = word32(bytes);
    const auto width = static_cast<std::int32_t>(word32(bytes + 4));
    const auto height = static_cast<std::int32_t>(word32(bytes + 8));
    const unsigned planes = word16(bytes + 12);
    const unsigned bits = word16(bytes + 14);
    const std::uint32_t compression = word32(bytes + 16);
    const std::uint32_t coloursUsed = word32(bytes + 32);

    if (headerSize < kInfoHeaderSize || headerSize > size) return false;
    if (width <= 0 || width > kLargestSide || height == 0 || height > kLargestSide ||
        height < -kLargestSide || planes != 1)
        return false;
    if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32) return false;
    const bool masks = compression == kBitFields;
    if (compression != kRgb && !(masks && (bits == 16 || bits == 32))) return false;

    // Up to 8 bits a pixel names an entry of the table, which has 2^bits entries unless it
    // says fewer; above, the pixels hold colours, and a table, when declared, only advises
    // which to use on a palette display.
    std::size_t colours = coloursUsed;
    if (bits <= 8) {
        if (coloursUsed > (1u << bits)) return false;
        if (coloursUsed == 0) colours = std::size_t(1) << bits;
    }
    // A longer header holds the masks itself.
    const std::size_t masksSize = masks && headerSize == kInfoHeaderSize ? kMasksSize : 0;

    // Each part is measured against what is left after the ones before, so no sum runs over.
    std::size_t offset = headerSize;
    if (masksSize > size - offset) return false;
    offset += masksSize;
    if (colours > (size - offset) / kColourEntrySize) return false;
    offset += colours * kColourEntrySize;
    // At most 32768 bytes a row and 8192 rows.
    const std::size_t stride = (static_cast<std::size_t>(width) * bits + 31) / 32 * 4;
    const std::size_t rows = static_cast<std::size_t>(height < 0 ? -height : height);
    if (stride * rows > size - offset) return false;
    layout.width = width;
    layout.height = static_cast<int>(rows);
    layout.pixelsOffset = offset;
    return true;
}
