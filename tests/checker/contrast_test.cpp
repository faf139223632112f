// Contrast as WCAG 2 measures it, and what the checker says about the caption colours on
// the picture and the comment colour on the comment box.
#include "checker/contrast.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "checker/contrast_check.h"
#include "checker/report.h"
#include "config/colour_table.h"
#include "state/launcher_state.h"
#include "window/layout.h"

namespace {

TEST(Contrast, WcagRatiosOfTheMenusColours) {
    const struct {
        std::uint32_t text, background;
        double ratio;
    } cases[] = {
        {0x000000, 0xFFFFFF, 21.0},  // black on white
        {0x0000FF, 0xFFFFFF, 4.0},   // red on white
        {0x777777, 0xFFFFFF, 4.48},  // the usual limit of grey on white
        {0x00FFFF, 0xFFFFFF, 1.07},  // yellow on white
        {0x7F0000, 0x7F0000, 1.0},   // navy on itself
    };
    for (const auto& c : cases) {
        EXPECT_NEAR(contrastRatio(c.text, c.background), c.ratio, 0.01) << std::hex << c.text;
        EXPECT_NEAR(contrastRatio(c.background, c.text), c.ratio, 0.01) << std::hex << c.text;
    }
}

// Of the pixels behind a text, the 5 % most like its colour are let go, and no more.
TEST(Contrast, AFewSpecksDoNotCountButMoreDo) {
    const struct {
        int darkPixels;  // of 100 white ones made black
        double ratio;    // of black text on them
    } cases[] = {{0, 21.0}, {4, 21.0}, {5, 21.0}, {6, 1.0}, {100, 1.0}};
    for (const auto& c : cases) {
        Picture picture;
        picture.width = 10;
        picture.height = 10;
        picture.pixels.assign(100, 0xFFFFFF);
        for (int i = 0; i < c.darkPixels; ++i)
            picture.pixels[static_cast<std::size_t>(i) * 7 % 100] = 0;
        const Backdrop backdrop = textContrast(picture, 0, 0, 10, 10, 0x000000, 0.05);
        EXPECT_TRUE(backdrop.measured);
        EXPECT_NEAR(backdrop.ratio, c.ratio, 0.01) << c.darkPixels;
    }
    // Outside the picture there is nothing to measure.
    EXPECT_FALSE(textContrast(Picture(), 0, 0, 10, 10, 0, 0.05).measured);
}

// Severity and text of each finding, in order.
std::vector<std::string> said(const Report& report) {
    static const char* const kNames[] = {"info", "note", "warning", "error"};
    std::vector<std::string> lines;
    for (const Finding& finding : report.findings()) {
        lines.push_back(placeText(finding.place) + " " +
                        kNames[static_cast<int>(finding.severity)] + ": " + finding.text);
    }
    return lines;
}

TEST(CommentContrast, BelowThreeToOneAWarningBelowFourAndAHalfANote) {
    const struct {
        std::int32_t text, box;
        std::vector<std::string> said;
    } cases[] = {
        {1, 15, {}},  // black on white
        {15, 2, {}},  // white on navy
        {13,
         15,
         {"[View] FontCommentColor warning: comment text 13 (yellow) on the comment box 15 "
          "(white): contrast 1.0:1, below 3:1: hard to read"}},
        {10,
         15,
         {"[View] FontCommentColor note: comment text 10 (red) on the comment box 15 (white): "
          "contrast 3.9:1, below the 4.5:1 advised for text"}},
        {9,
         9,
         {"[View] FontCommentColor warning: comment text 9 (grey) on the comment box 9 (grey): "
          "contrast 1.0:1, below 3:1: hard to read"}},
    };
    for (const auto& c : cases) {
        launcherState.view = ViewSettings{};
        launcherState.view.FontCommentColor = c.text;
        launcherState.view.BkCommentColor = c.box;
        Report report;
        checkCommentContrast(report);
        EXPECT_EQ(said(report), c.said) << c.text << " on " << c.box;
    }
    launcherState.view = ViewSettings{};
}

// Telling whether a colour passes by counting agrees with textContrast's ratio, for every
// colour of the table, near and far from the limit, on a picture as busy as a photo.
TEST(Contrast, CountingAgreesWithTheMeasuredRatio) {
    Picture picture;
    picture.width = 40;
    picture.height = 30;
    std::uint32_t seed = 7;
    for (int i = 0; i < picture.width * picture.height; ++i) {
        seed = seed * 1103515245u + 12345u;
        const std::uint32_t grey = 0x60 + (seed >> 16) % 0xA0;
        picture.pixels.push_back(grey | grey << 8 | grey << 16);
    }
    const PictureColours colours = pictureColours(picture);
    const struct {
        int left, top, right, bottom;
    } areas[] = {{0, 0, 40, 30}, {3, 4, 9, 5}, {-5, -5, 2, 2}, {35, 25, 60, 60}, {10, 10, 10, 20}};
    for (const auto& a : areas) {
        for (std::int32_t colour = 0; colour < kColourCount; ++colour) {
            const Backdrop backdrop = textContrast(picture, a.left, a.top, a.right, a.bottom,
                                                   colourFromIndex(colour), 0.05);
            for (const double least : {1.5, 3.0, 4.5, backdrop.ratio}) {
                EXPECT_EQ(keepsContrast(picture, colours, a.left, a.top, a.right, a.bottom,
                                        colourFromIndex(colour), 0.05, least),
                          !backdrop.measured || backdrop.ratio >= least)
                    << a.left << "," << a.top << " colour " << colour << " least " << least;
            }
        }
    }
}

// The menu's picture, white but behind the caption of slot 1, which is silver.
Picture whiteWithSilverSecondPlace() {
    Picture picture;
    picture.width = 600;
    picture.height = 397;
    picture.pixels.assign(600 * 397, 0xFFFFFF);
    const RECT second = itemRect(1);
    for (int y = second.top; y < second.bottom; ++y) {
        for (int x = second.left; x < second.right; ++x)
            picture.pixels[static_cast<std::size_t>(y) * 600 + static_cast<std::size_t>(x)] =
                0xC0C0C0;
    }
    return picture;
}

// Captions of slots 0 and 1, 100 x 16 pixels, in `text` and `lit` colours: what is said.
std::vector<std::string> captionFindings(const Picture& picture, std::int32_t text,
                                         std::int32_t lit, std::vector<Finding>* findings) {
    launcherState.view = ViewSettings{};
    launcherState.view.FontColor = text;
    launcherState.view.FontActiveColor = lit;
    Report report;
    CaptionContrast captions(picture);
    captions.check(keyPlace("0", "1"), 0, 100, 16, report);
    captions.check(keyPlace("0", "2"), 1, 100, 16, report);
    captions.suggestColours(report);
    launcherState.view = ViewSettings{};
    if (findings != nullptr) *findings = report.findings();
    return said(report);
}

TEST(CaptionContrast, OffersTheColoursThatPassBehindEveryCaption) {
    const Picture picture = whiteWithSilverSecondPlace();
    // On white, colours 1 to 7 keep 4.5:1; on silver green (4) and teal (6) do not.
    const std::string passing =
        "; colours of the table that keep 4.5:1 behind every caption: 1, 2, 3, 5, 7";
    const struct {
        std::int32_t text, lit;
        std::vector<std::string> said;
    } cases[] = {
        {1, 2, {}},
        {4,
         2,
         {"[0] 2 warning: caption in colour 4 (green) on the picture behind it, around "
          "(192,192,192): contrast 2.8:1, below 3:1: hard to read" +
          passing}},
        {1,
         10,
         {"[0] 1 note: lit caption in colour 10 (red) on the picture behind it, around "
          "(255,255,255): contrast 3.9:1, below the 4.5:1 advised for text" +
              passing,
          "[0] 2 warning: lit caption in colour 10 (red) on the picture behind it, around "
          "(192,192,192): contrast 2.1:1, below 3:1: hard to read" +
              passing}},
    };
    for (const auto& c : cases) {
        std::vector<Finding> findings;
        EXPECT_EQ(captionFindings(picture, c.text, c.lit, &findings), c.said) << c.text;
        for (const Finding& finding : findings) {
            ASSERT_TRUE(finding.fix.has_value());
            EXPECT_EQ(finding.fix->section, "View");
            EXPECT_EQ(finding.fix->key,
                      finding.text.compare(0, 3, "lit") == 0 ? "FontActiveColor" : "FontColor");
            EXPECT_EQ(finding.fix->values, (std::vector<std::string>{"1", "2", "3", "5", "7"}));
        }
    }
}

// Each colour offered, once set, passes behind every caption; each one not offered fails
// behind one at least.
TEST(CaptionContrast, ApplyingAnOfferedColourLeavesNothingToSay) {
    const Picture picture = whiteWithSilverSecondPlace();
    std::vector<Finding> findings;
    captionFindings(picture, 1, 10, &findings);
    ASSERT_FALSE(findings.empty());
    ASSERT_TRUE(findings.front().fix.has_value());
    const std::vector<std::string> offered = findings.front().fix->values;
    for (std::int32_t colour = 1; colour < kColourCount; ++colour) {
        const bool isOffered =
            std::find(offered.begin(), offered.end(), std::to_string(colour)) != offered.end();
        EXPECT_EQ(captionFindings(picture, 1, colour, nullptr).empty(), isOffered) << colour;
    }
}

TEST(CaptionContrast, SaysSoWhenNoColourPasses) {
    // White behind one caption and black behind the other: no colour of the table keeps
    // 4.5:1 on both.
    Picture picture = whiteWithSilverSecondPlace();
    for (std::uint32_t& pixel : picture.pixels) {
        if (pixel == 0xC0C0C0) pixel = 0;
    }
    std::vector<Finding> findings;
    const std::vector<std::string> said = captionFindings(picture, 9, 1, &findings);
    ASSERT_EQ(said.size(), 2u);
    EXPECT_EQ(said[0],
              "[0] 1 note: caption in colour 9 (grey) on the picture behind it, around "
              "(255,255,255): contrast 4.0:1, below the 4.5:1 advised for text; no colour of "
              "the table keeps 4.5:1 behind every caption; a picture that is evenly light or "
              "evenly dark behind all the captions helps (brand the menu with one)");
    for (const Finding& finding : findings) EXPECT_FALSE(finding.fix.has_value());
}

}  // namespace
