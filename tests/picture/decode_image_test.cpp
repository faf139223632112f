// Pictures read through the Windows Imaging Component: every format an author may give,
// and the files it must refuse with a reason. The quadrants are red, green, blue and
// white, 8 x 8 pixels each.
#include "brand/picture/decode_image.h"

#include <windows.h>
#include <gtest/gtest.h>
#undef near  // an old keyword of windows.h, and a name here

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>

#include "brand/picture/icon_image.h"
#include "picture_samples.h"
#include "test_files.h"

namespace {

std::string sample(const char* name) { return std::string(PICTURE_SAMPLES) + name; }

std::string wholeFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Pixel (x, y) as 0xAARRGGBB.
std::uint32_t pixelAt(const RgbaImage& image, int x, int y) {
    const unsigned char* p = &image.pixels[(static_cast<std::size_t>(y) * image.width + x) * 4];
    return static_cast<std::uint32_t>(p[3]) << 24 | static_cast<std::uint32_t>(p[0]) << 16 |
           static_cast<std::uint32_t>(p[1]) << 8 | p[2];
}

bool near(std::uint32_t a, std::uint32_t b, int tolerance) {
    for (int shift = 0; shift < 32; shift += 8) {
        if (std::abs(static_cast<int>((a >> shift) & 0xFF) -
                     static_cast<int>((b >> shift) & 0xFF)) > tolerance) {
            return false;
        }
    }
    return true;
}

TEST(DecodeImage, ReadsEveryFormat) {
    struct Case {
        const char* file;
        int tolerance;  // JPEG is lossy
        std::uint32_t lowerRight;
    } const cases[] = {
        {"quadrants.png", 0, 0xFFFFFFFF}, {"quadrants.jpg", 12, 0xFFFFFFFF},
        {"quadrants.bmp", 0, 0xFFFFFFFF}, {"quadrants.gif", 0, 0xFFFFFFFF},
        {"quadrants.tif", 0, 0xFFFFFFFF}, {"half-clear.png", 0, 0x00000000},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        RgbaImage image;
        std::string reason;
        ASSERT_TRUE(decodeImageFile(sample(c.file).c_str(), image, reason)) << reason;
        ASSERT_EQ(image.width, 16);
        ASSERT_EQ(image.height, 16);
        ASSERT_EQ(image.pixels.size(), 16u * 16 * 4);
        EXPECT_PRED3(near, pixelAt(image, 2, 2), 0xFFFF0000u, c.tolerance);
        EXPECT_PRED3(near, pixelAt(image, 13, 2), 0xFF00FF00u, c.tolerance);
        EXPECT_PRED3(near, pixelAt(image, 2, 13), 0xFF0000FFu, c.tolerance);
        if (c.lowerRight >> 24) {
            EXPECT_PRED3(near, pixelAt(image, 13, 13), c.lowerRight, c.tolerance);
        } else {
            EXPECT_EQ(pixelAt(image, 13, 13) >> 24, 0u);  // clear
        }
    }
}

// A TIFF photo stored on its side comes upright: 16 x 24, red over blue. (A JPEG photo's
// tag: tests/brand; every tag's turn: orientation_test.cpp.)
TEST(DecodeImage, TurnsATaggedPhotoUpright) {
    RgbaImage image;
    std::string reason;
    ASSERT_TRUE(decodeImageFile(sample("turned-8.tif").c_str(), image, reason)) << reason;
    ASSERT_EQ(16, image.width);
    ASSERT_EQ(24, image.height);
    EXPECT_PRED3(near, pixelAt(image, 8, 2), 0xFFC82828u, 0);
    EXPECT_PRED3(near, pixelAt(image, 8, 21), 0xFF283CC8u, 0);
}

// Pictures whose colour profile calls their stored red what sRGB calls green. Windows
// converts them; Wine 8 gives the stored colours (its colour transform copies them as they
// are, and its JPEG decoder reports no profile at all).
TEST(DecodeImage, TakesAColourProfileToSrgbWhereThePlatformCan) {
    const bool wine = GetProcAddress(GetModuleHandleA("ntdll.dll"), "wine_get_version") != nullptr;
    for (const char* file : {"swapped-profile.png", "swapped-profile.jpg"}) {
        SCOPED_TRACE(file);
        RgbaImage image;
        std::string reason;
        ASSERT_TRUE(decodeImageFile(sample(file).c_str(), image, reason)) << reason;
        if (wine) {
            EXPECT_PRED3(near, pixelAt(image, 8, 8), 0xFFDC1E1Eu, 6);
        } else {
            EXPECT_PRED3(near, pixelAt(image, 8, 8), 0xFF18DD18u, 40);
        }
    }
}

TEST(DecodeImage, RefusesWhatIsNoPicture) {
    TempFolder folder;
    std::string png = wholeFile(sample("quadrants.png"));
    std::string jpeg = wholeFile(sample("quadrants.jpg"));
    struct Case {
        std::string path;
        const char* reason;
    } const cases[] = {
        {folder.path() + "missing.png", "the picture does not exist"},
        {folder.path(), "the picture is a folder, not a file"},
        {folder.write("notes.png", "These are not pixels.\r\n"),
         "not a picture (use PNG, JPEG, BMP, GIF or TIFF)"},
        {folder.write("empty.jpg", ""), "not a picture (use PNG, JPEG, BMP, GIF or TIFF)"},
        {folder.write("cut.png", png.substr(0, png.size() - 30)),
         "the picture cannot be read: it is damaged or cut short"},
        {folder.write("cut.jpg", jpeg.substr(0, jpeg.size() / 2)),
         "the picture cannot be read: it is damaged or cut short"},
    };
    for (const Case& c : cases) {
        RgbaImage image;
        std::string reason;
        EXPECT_FALSE(decodeImageFile(c.path.c_str(), image, reason)) << c.path;
        EXPECT_EQ(reason, c.reason) << c.path;
        EXPECT_TRUE(image.pixels.empty());
    }
}

// The icon's 256-pixel PNG, read back by the platform: the same pixels, the deflate
// stream and the checksums valid. A 256-pixel source is not resampled.
TEST(DecodeImage, ReadsTheIconsOwnPng) {
    RgbaImage source = patternPicture(256, 256);
    std::string reason;
    std::vector<unsigned char> icon = iconFileFromImage(source, reason);
    ASSERT_FALSE(icon.empty()) << reason;
    std::size_t entry = 6 + 16 * 6;
    std::size_t size = icon[entry + 8] | icon[entry + 9] << 8 | icon[entry + 10] << 16;
    std::size_t offset = icon[entry + 12] | icon[entry + 13] << 8 | icon[entry + 14] << 16;
    TempFolder folder;
    std::string path =
        folder.write("icon.png", std::string(icon.begin() + offset, icon.begin() + offset + size));
    RgbaImage image;
    ASSERT_TRUE(decodeImageFile(path.c_str(), image, reason)) << reason;
    ASSERT_EQ(image.width, 256);
    for (std::size_t i = 0; i < source.pixels.size(); i += 4) {
        // Where alpha is 0 the colour is gone; elsewhere un-premultiplying rounds.
        ASSERT_EQ(image.pixels[i + 3], source.pixels[i + 3]) << i / 4;
        if (source.pixels[i + 3] == 255) {
            ASSERT_EQ(std::memcmp(&image.pixels[i], &source.pixels[i], 3), 0) << i / 4;
        }
    }
}

}  // namespace
