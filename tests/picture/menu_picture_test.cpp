// The menu picture made from an author's picture: its format, where the picture lands,
// transparency, exact colours where they fit, and the same bytes on every build.
#include "brand/picture/menu_picture.h"

#include <gtest/gtest.h>

#include <cstring>
#include <set>

#include "picture_samples.h"

namespace {

constexpr std::size_t pictureBytes = 40 + 1024 + 600 * 397;

TEST(MenuPicture, AnyShapeGivesTheMenusFormat) {
    struct Case {
        int width, height;
    } const cases[] = {{1, 1}, {1, 10000}, {10000, 1}, {37, 23}};
    for (const Case& c : cases) {
        for (bool fit : {false, true}) {
            SCOPED_TRACE(testing::Message()
                         << c.width << " x " << c.height << (fit ? " fit" : " cover"));
            std::vector<unsigned char> picture =
                menuPictureFromImage(patternPicture(c.width, c.height), fit, 0x00406080);
            ASSERT_EQ(picture.size(), pictureBytes);
            EXPECT_EQ(readNumber(picture, 0, 4), 40u);
            EXPECT_EQ(readNumber(picture, 4, 4), 600u);
            EXPECT_EQ(readNumber(picture, 8, 4), 397u);  // bottom-up
            EXPECT_EQ(readNumber(picture, 14, 2), 8u);
            EXPECT_EQ(readNumber(picture, 16, 4), 0u);
        }
    }
}

TEST(MenuPicture, CoverFillsAndFitLetterboxes) {
    const std::uint32_t red = 0xFF0000, blue = 0x0000FF;
    // The picture's colour is red and the fit colour blue (0x00BBGGRR: 0x00FF0000).
    struct Case {
        int width, height;
        bool fit;
        int left, top, right, bottom;  // where red is, the rest blue
    } const cases[] = {
        {1200, 400, false, 0, 0, 600, 397}, {100, 400, false, 0, 0, 600, 397},
        {1200, 400, true, 0, 98, 600, 298},  // 600 x 200, centred
        {100, 400, true, 250, 0, 349, 397},  // 99 x 397, centred
        {600, 397, true, 0, 0, 600, 397},   {10000, 1, true, 0, 198, 600, 199},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << c.width << " x " << c.height << (c.fit ? " fit" : " cover"));
        std::vector<unsigned char> picture =
            menuPictureFromImage(solidPicture(c.width, c.height, 0xFFFF0000u), c.fit, 0x00FF0000);
        ASSERT_EQ(picture.size(), pictureBytes);
        for (int y : {0, c.top - 1, c.top, 198, c.bottom - 1, c.bottom, 396}) {
            for (int x : {0, c.left - 1, c.left, 300, c.right - 1, c.right, 599}) {
                if (x < 0 || x >= 600 || y < 0 || y >= 397) continue;
                bool inside = x >= c.left && x < c.right && y >= c.top && y < c.bottom;
                EXPECT_EQ(menuPixel(picture, x, y), inside ? red : blue) << x << ", " << y;
            }
        }
    }
}

TEST(MenuPicture, TransparencyShowsTheBackgroundColour) {
    struct Case {
        std::uint32_t argb;
        unsigned background;  // 0x00BBGGRR
        std::uint32_t expected;
    } const cases[] = {
        {0x00FF0000u, 0x00FFFFFF, 0xFFFFFF},  // fully transparent on white
        {0x00FF0000u, 0x00996633, 0x336699},
        {0x80000000u, 0x00FFFFFF, 0x7F7F7F},  // half-transparent black on white
    };
    for (const Case& c : cases) {
        for (bool fit : {false, true}) {
            std::vector<unsigned char> picture =
                menuPictureFromImage(solidPicture(50, 50, c.argb), fit, c.background);
            ASSERT_EQ(picture.size(), pictureBytes);
            std::set<std::uint32_t> colours;
            // The middle, where the picture lies in both modes.
            for (int y = 0; y < 397; y += 7) {
                for (int x = 110; x < 490; x += 7) colours.insert(menuPixel(picture, x, y));
            }
            EXPECT_EQ(colours, std::set<std::uint32_t>{c.expected}) << std::hex << c.argb;
        }
    }
}

// A picture of the menu's size with at most 256 colours comes through unchanged.
TEST(MenuPicture, FewColoursAtTheMenusSizeStayExact) {
    RgbaImage image = solidPicture(600, 397, 0xFF000000u);
    for (int y = 0; y < 397; ++y) {
        for (int x = 0; x < 600; ++x) {
            unsigned char* p = &image.pixels[(static_cast<std::size_t>(y) * 600 + x) * 4];
            p[0] = static_cast<unsigned char>(x / 40 * 17);  // 15 reds
            p[1] = static_cast<unsigned char>(y / 25 * 15);  // 16 greens
        }
    }
    std::vector<unsigned char> picture = menuPictureFromImage(image, false, 0);
    ASSERT_EQ(picture.size(), pictureBytes);
    for (int y = 0; y < 397; ++y) {
        for (int x = 0; x < 600; ++x) {
            std::uint32_t expected = static_cast<std::uint32_t>(x / 40 * 17) << 16 | (y / 25 * 15)
                                                                                         << 8;
            ASSERT_EQ(menuPixel(picture, x, y), expected) << x << ", " << y;
        }
    }
}

TEST(MenuPicture, EmptyOrShortPicturesGiveNothing) {
    RgbaImage shortBuffer = solidPicture(10, 10, 0xFF000000u);
    shortBuffer.pixels.resize(10 * 10 * 4 - 1);
    RgbaImage negative;
    negative.width = -5;
    negative.height = 3;
    for (const RgbaImage& image : {RgbaImage(), shortBuffer, negative}) {
        EXPECT_TRUE(menuPictureFromImage(image, false, 0).empty());
        EXPECT_TRUE(menuPictureFromImage(image, true, 0).empty());
    }
}

// The same bytes from the host, the i686 and the x86_64 builds: the whole pipeline is
// integer arithmetic. A change here changes every branded menu: update it knowingly.
TEST(MenuPicture, SameBytesOnEveryBuild) {
    struct Case {
        int width, height;
        bool fit;
        std::uint64_t hash;
    } const cases[] = {
        {1280, 720, false, 12930972733940504837ull},  // shrunk and cropped
        {317, 211, true, 3774934888739864389ull},     // enlarged and letterboxed
    };
    for (const Case& c : cases) {
        std::vector<unsigned char> picture =
            menuPictureFromImage(patternPicture(c.width, c.height), c.fit, 0x00C08040);
        EXPECT_EQ(fnv1a(picture), c.hash) << c.width << " x " << c.height;
    }
}

}  // namespace
