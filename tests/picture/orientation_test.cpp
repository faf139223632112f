// Photos turned upright by their orientation tag, and the tag found in a JPEG file's Exif
// block, which Windows' imaging library reads itself and Wine's does not.
#include "brand/picture/orientation.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

namespace {

// A picture whose pixels are the letters of `rows` ("abc/def": 3 x 2), the letter in red.
RgbaImage lettered(const std::string& rows) {
    RgbaImage image;
    image.width = static_cast<int>(rows.find('/'));
    for (char c : rows) {
        if (c == '/') continue;
        image.pixels.insert(image.pixels.end(), {static_cast<unsigned char>(c), 0, 0, 255});
    }
    image.height = static_cast<int>(image.pixels.size() / 4) / image.width;
    return image;
}

std::string letters(const RgbaImage& image) {
    std::string rows;
    for (int y = 0; y < image.height; ++y) {
        if (y > 0) rows += '/';
        for (int x = 0; x < image.width; ++x)
            rows += static_cast<char>(
                image.pixels[(static_cast<std::size_t>(y) * image.width + x) * 4]);
    }
    return rows;
}

TEST(PictureOrientation, TurnsEachTagUpright) {
    const struct {
        int orientation;
        const char* shown;
    } cases[] = {
        {0, "abc/def"},  {1, "abc/def"},  {2, "cba/fed"},  {3, "fed/cba"},
        {4, "def/abc"},  {5, "ad/be/cf"}, {6, "da/eb/fc"}, {7, "fc/eb/da"},
        {8, "cf/be/ad"}, {9, "abc/def"},  {-1, "abc/def"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.shown, letters(uprightImage(lettered("abc/def"), c.orientation)))
            << "orientation " << c.orientation;
    }
    RgbaImage cutShort = lettered("abc/def");
    cutShort.pixels.resize(8);
    EXPECT_EQ(8u, uprightImage(cutShort, 6).pixels.size());
}

// A JPEG file's start: its segments, then the start of the image data.
std::vector<unsigned char> jpeg(const std::vector<std::string>& segments) {
    std::vector<unsigned char> file = {0xFF, 0xD8};
    for (const std::string& segment : segments)
        file.insert(file.end(), segment.begin(), segment.end());
    file.insert(file.end(), {0xFF, 0xDA, 0x00, 0x02});
    return file;
}

// A segment with `marker` and `body`, its length counting itself.
std::string segment(unsigned char marker, const std::string& body) {
    const std::size_t length = body.size() + 2;
    return std::string{'\xFF', static_cast<char>(marker), static_cast<char>(length >> 8),
                       static_cast<char>(length & 0xFF)} +
           body;
}

// An Exif block whose first directory holds `entries` (tag, type, count, value) in the
// byte order "II" (little-endian) or "MM".
std::string exif(const std::string& order, std::vector<std::array<unsigned, 4>> entries) {
    const bool big = order == "MM";
    const auto number = [big](unsigned value, int count) {
        std::string bytes;
        for (int i = 0; i < count; ++i)
            bytes += static_cast<char>(value >> (8 * (big ? count - 1 - i : i)));
        return bytes;
    };
    std::string tiff =
        order + number(42, 2) + number(8, 4) + number(static_cast<unsigned>(entries.size()), 2);
    for (const auto& e : entries)
        tiff +=
            number(e[0], 2) + number(e[1], 2) + number(e[2], 4) + number(e[3], 2) + number(0, 2);
    return segment(0xE1, std::string("Exif\0\0", 6) + tiff + number(0, 4));
}

TEST(PictureOrientation, ReadsTheTagOfAJpegFile) {
    const std::string jfif = segment(0xE0, std::string("JFIF\0\1\1\0\0\1\0\1\0\0", 14));
    std::string cut = exif("II", {{274, 3, 1, 6}});
    cut.resize(cut.size() - 8);
    const struct {
        const char* what;
        std::vector<unsigned char> file;
        int orientation;
    } cases[] = {
        {"after the JFIF block", jpeg({jfif, exif("II", {{274, 3, 1, 6}})}), 6},
        {"big-endian, after another tag", jpeg({exif("MM", {{271, 2, 4, 0}, {274, 3, 1, 8}})}), 8},
        {"no Exif block", jpeg({jfif}), 0},
        {"no orientation", jpeg({exif("II", {{271, 2, 4, 0}})}), 0},
        {"a value no camera writes", jpeg({exif("II", {{274, 3, 1, 9}})}), 0},
        {"not a short number", jpeg({exif("II", {{274, 4, 1, 6}})}), 0},
        {"a directory cut short", jpeg({segment(0xE1, cut.substr(4))}), 0},
        {"a segment longer than the file", {0xFF, 0xD8, 0xFF, 0xE1, 0x40, 0x00, 'E', 'x'}, 0},
        {"not a JPEG file", {0x89, 'P', 'N', 'G'}, 0},
    };
    for (const auto& c : cases) EXPECT_EQ(c.orientation, jpegOrientation(c.file)) << c.what;
}

}  // namespace
