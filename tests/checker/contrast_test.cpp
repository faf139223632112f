// Contrast as WCAG 2 measures it, and what the checker says about the comment colour on the
// comment box.
#include "checker/contrast.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "checker/contrast_check.h"
#include "checker/report.h"
#include "state/launcher_state.h"

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

}  // namespace
