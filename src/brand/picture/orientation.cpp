#include "brand/picture/orientation.h"

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace {

constexpr std::uint16_t kOrientationTag = 274;
constexpr std::uint16_t kShortType = 3;

// Numbers of a TIFF structure in its own byte order, 0 outside `size` bytes at `data`.
struct TiffBytes {
    const unsigned char* data;
    std::size_t size;
    bool bigEndian;
    std::uint32_t number(std::size_t at, std::size_t count) const {
        if (at > size || count > size - at) return 0;
        std::uint32_t value = 0;
        for (std::size_t i = 0; i < count; ++i) {
            const unsigned char byte = data[at + (bigEndian ? i : count - 1 - i)];
            value = value << 8 | byte;
        }
        return value;
    }
};

// The Orientation entry of the first directory of the TIFF structure in `size` bytes at
// `data`; 0 when there is none.
int tiffOrientation(const unsigned char* data, std::size_t size) {
    if (size < 8) return 0;
    const bool little = data[0] == 'I' && data[1] == 'I';
    const bool big = data[0] == 'M' && data[1] == 'M';
    const TiffBytes tiff{data, size, big};
    if ((!little && !big) || tiff.number(2, 2) != 42) return 0;
    const std::size_t directory = tiff.number(4, 4);
    if (directory > size) return 0;
    const std::size_t count = tiff.number(directory, 2);
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t entry = directory + 2 + 12 * i;
        if (entry + 12 > size) return 0;
        if (tiff.number(entry, 2) != kOrientationTag) continue;
        if (tiff.number(entry + 2, 2) != kShortType || tiff.number(entry + 4, 4) != 1) return 0;
        const std::uint32_t value = tiff.number(entry + 8, 2);
        return value >= 1 && value <= 8 ? static_cast<int>(value) : 0;
    }
    return 0;
}

}  // namespace

RgbaImage uprightImage(RgbaImage image, int orientation) {
    // For each tag: whether the sides trade places (a pixel shown at x, y is stored at y, x),
    // then whether the stored picture is read from the right and from the bottom.
    struct Turn {
        bool across;
        bool fromRight;
        bool fromBottom;
    };
    static const Turn turns[9] = {{},
                                  {},
                                  {false, true, false},
                                  {false, true, true},
                                  {false, false, true},
                                  {true, false, false},
                                  {true, false, true},
                                  {true, true, true},
                                  {true, true, false}};
    const std::size_t width = image.width > 0 ? static_cast<std::size_t>(image.width) : 0;
    const std::size_t height = image.height > 0 ? static_cast<std::size_t>(image.height) : 0;
    if (orientation < 2 || orientation > 8 || image.pixels.size() < width * height * 4)
        return image;
    const Turn turn = turns[orientation];
    RgbaImage turned;
    turned.width = turn.across ? image.height : image.width;
    turned.height = turn.across ? image.width : image.height;
    turned.pixels.resize(width * height * 4);
    const std::size_t shownWidth = turn.across ? height : width;
    const std::size_t shownHeight = turn.across ? width : height;
    for (std::size_t y = 0; y < shownHeight; ++y) {
        for (std::size_t x = 0; x < shownWidth; ++x) {
            std::size_t sx = turn.across ? y : x;
            std::size_t sy = turn.across ? x : y;
            if (turn.fromRight) sx = width - 1 - sx;
            if (turn.fromBottom) sy = height - 1 - sy;
            std::memcpy(&turned.pixels[(y * shownWidth + x) * 4],
                        &image.pixels[(sy * width + sx) * 4], 4);
        }
    }
    return turned;
}

int jpegOrientation(const std::vector<unsigned char>& file) {
    if (file.size() < 4 || file[0] != 0xFF || file[1] != 0xD8) return 0;
    std::size_t at = 2;
    // Segments: 0xFF, a marker, and (but for the markers that stand alone) a big-endian
    // length that counts itself. The image data begins at start-of-scan; Exif comes before.
    while (at + 4 <= file.size() && file[at] == 0xFF) {
        const unsigned char marker = file[at + 1];
        if (marker == 0xFF) {  // fill byte
            ++at;
            continue;
        }
        if (marker == 0xD9 || marker == 0xDA) return 0;
        if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7)) {
            at += 2;
            continue;
        }
        const std::size_t length = static_cast<std::size_t>(file[at + 2]) << 8 | file[at + 3];
        if (length < 2 || length > file.size() - at - 2) return 0;
        const unsigned char* body = &file[at + 4];
        const std::size_t bodySize = length - 2;
        if (marker == 0xE1 && bodySize >= 6 && std::memcmp(body, "Exif\0\0", 6) == 0)
            return tiffOrientation(body + 6, bodySize - 6);
        at += 2 + length;
    }
    return 0;
}
