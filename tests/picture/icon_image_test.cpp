// Icons made from square pictures: what is refused, the file's layout, the same bytes on
// every build.
#include "brand/picture/icon_image.h"

#include <gtest/gtest.h>

#include "picture_samples.h"

namespace {

TEST(IconImage, RefusesWhatCannotBeAnIcon) {
    struct Case {
        int width, height;
        const char* reason;
    } const cases[] = {
        {64, 63, "the icon picture is 64 x 63 pixels; it must be square"},
        {1, 300, "the icon picture is 1 x 300 pixels; it must be square"},
        {15, 15, "the icon picture is 15 x 15 pixels; it must be at least 16 x 16"},
        {0, 0, "the picture has no pixels"},
    };
    for (const Case& c : cases) {
        std::string reason;
        EXPECT_TRUE(
            iconFileFromImage(solidPicture(c.width, c.height, 0xFF102030u), reason).empty());
        EXPECT_EQ(reason, c.reason);
    }
}

TEST(IconImage, HoldsEverySizeWindowsShows) {
    const unsigned sizes[] = {16, 20, 24, 32, 40, 48, 256};
    for (int source : {16, 48, 256, 300}) {
        SCOPED_TRACE(source);
        std::string reason;
        std::vector<unsigned char> icon = iconFileFromImage(patternPicture(source, source), reason);
        ASSERT_FALSE(icon.empty()) << reason;
        ASSERT_EQ(readNumber(icon, 0, 4), 0x00010000u);  // reserved 0, type 1: an icon
        ASSERT_EQ(readNumber(icon, 4, 2), 7u);
        std::size_t next = 6 + 16 * 7;
        for (std::size_t i = 0; i < 7; ++i) {
            std::size_t entry = 6 + 16 * i;
            EXPECT_EQ(icon[entry], sizes[i] & 0xFF);
            EXPECT_EQ(readNumber(icon, entry + 6, 2), 32u);
            std::uint32_t size = readNumber(icon, entry + 8, 4);
            ASSERT_EQ(readNumber(icon, entry + 12, 4), next);  // images follow one another
            next += size;
            ASSERT_LE(next, icon.size());
            if (sizes[i] == 256) {
                EXPECT_EQ(readNumber(icon, next - size, 4), 0x474E5089u);  // \x89PNG
                EXPECT_LT(size, 256u * 256 * 4);                           // smaller than raw
            } else {
                std::size_t at = next - size;
                std::size_t mask = (sizes[i] + 31) / 32 * 4 * sizes[i];
                EXPECT_EQ(readNumber(icon, at, 4), 40u);
                EXPECT_EQ(readNumber(icon, at + 8, 4), 2 * sizes[i]);
                EXPECT_EQ(size, 40 + sizes[i] * sizes[i] * 4 + mask);
            }
        }
        EXPECT_EQ(next, icon.size());
    }
}

// The 256-pixel PNG stays only while it is small: a drawing keeps it, noise loses it.
TEST(IconImage, KeepsTheLargestImageOnlyWhenItIsCompact) {
    RgbaImage noise = solidPicture(256, 256, 0xFF000000u);
    std::uint32_t seed = 7;
    for (std::size_t i = 0; i < noise.pixels.size(); ++i) {
        seed = seed * 1664525u + 1013904223u;
        if (i % 4 != 3) noise.pixels[i] = static_cast<unsigned char>(seed >> 24);
    }
    const struct {
        RgbaImage picture;
        std::uint32_t images;
    } cases[] = {
        {solidPicture(256, 256, 0xFF336699u), 7}, {patternPicture(256, 256), 7}, {noise, 6}};
    for (const auto& c : cases) {
        std::string reason;
        std::vector<unsigned char> icon = iconFileFromImage(c.picture, reason);
        ASSERT_FALSE(icon.empty()) << reason;
        EXPECT_EQ(readNumber(icon, 4, 2), c.images);
        EXPECT_LT(icon.size(), 96u * 1024);
    }
}

// A picture clear on its left half: the mask and alpha say so.
TEST(IconImage, TransparencyReachesAlphaAndMask) {
    RgbaImage image = solidPicture(160, 160, 0xFF336699u);
    for (std::size_t i = 0; i < image.pixels.size(); i += 4) {
        if (i / 4 % 160 < 80) image.pixels[i + 3] = 0;
    }
    std::string reason;
    std::vector<unsigned char> icon = iconFileFromImage(image, reason);
    std::size_t at = readNumber(icon, 6 + 12, 4);                  // the 16-pixel image
    const unsigned char* firstRow = &icon[at + 40 + 15 * 16 * 4];  // the top row, stored last
    EXPECT_EQ(firstRow[3], 0u);                                    // leftmost: clear
    EXPECT_EQ(firstRow[15 * 4 + 3], 255u);                         // rightmost: opaque
    std::size_t maskTop = at + 40 + 16 * 16 * 4 + 15 * 4;
    EXPECT_EQ(icon[maskTop] & 0x80, 0x80);   // leftmost masked
    EXPECT_EQ(icon[maskTop + 1] & 0x01, 0);  // rightmost shown
}

TEST(IconImage, SameBytesOnEveryBuild) {
    std::string reason;
    EXPECT_EQ(fnv1a(iconFileFromImage(patternPicture(300, 300), reason)), 11442278953042583512ull);
}

}  // namespace
