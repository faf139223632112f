// The section "View" read through the platform's own profile reader.
#include "config/profile_readers.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "config/view_settings.h"
#include "state/launcher_state.h"
#include "test_files.h"

namespace {

TEST(ViewSettings, DefaultsWithoutAViewSection) {
    TempFolder folder;
    for (const char* content :
         {"", "[0]\r\nTitle=x\r\n", "[View]\r\n", "[view2]\r\nFontSize=5\r\n"}) {
        useMenuFile(folder, content);
        readViewSettings();
        const ViewSettings& v = launcherState.view;
        EXPECT_EQ(1, v.ShowNumbers);
        EXPECT_STREQ("Arial", v.FontName);
        EXPECT_EQ(13, v.FontSize);
        EXPECT_EQ(0, v.FontBold);
        EXPECT_EQ(0, v.FontItalic);
        EXPECT_EQ(0, v.FontUnderlined);
        EXPECT_EQ(1, v.FontColor);
        EXPECT_EQ(10, v.FontActiveColor);
        EXPECT_STREQ("Arial", v.FontCommentName);
        EXPECT_EQ(11, v.FontCommentSize);
        EXPECT_EQ(1, v.FontCommentColor);
        EXPECT_EQ(15, v.BkCommentColor);
    }
}

TEST(ViewSettings, EveryKeyIsRead) {
    TempFolder folder;
    useMenuFile(folder,
                "[View]\r\nShowNumbers=1\r\nFontName=Tahoma\r\nFontSize=20\r\nFontBold=1\r\n"
                "FontItalic=1\r\nFontUnderlined=1\r\nFontColor=2\r\nFontActiveColor=3\r\n"
                "FontCommentName=Courier New\r\nFontCommentSize=9\r\nFontCommentColor=4\r\n"
                "BkCommentColor=17\r\n");
    launcherState.view.ShowNumbers = 0;
    readViewSettings();
    const ViewSettings& v = launcherState.view;
    EXPECT_EQ(1, v.ShowNumbers);
    EXPECT_STREQ("Tahoma", v.FontName);
    EXPECT_EQ(20, v.FontSize);
    EXPECT_EQ(1, v.FontBold);
    EXPECT_EQ(1, v.FontItalic);
    EXPECT_EQ(1, v.FontUnderlined);
    EXPECT_EQ(2, v.FontColor);
    EXPECT_EQ(3, v.FontActiveColor);
    EXPECT_STREQ("Courier New", v.FontCommentName);
    EXPECT_EQ(9, v.FontCommentSize);
    EXPECT_EQ(4, v.FontCommentColor);
    EXPECT_EQ(17, v.BkCommentColor);
}

// One [View] value read over the default: what the setting holds afterwards.
struct ValueCase {
    const char* value;
    std::int32_t result;
};

std::int32_t readOne(const TempFolder& folder, const char* key, const char* value,
                     std::int32_t ViewSettings::*field) {
    useMenuFile(folder, std::string("[View]\r\n") + key + "=" + value + "\r\n");
    readViewSettings();
    return launcherState.view.*field;
}

TEST(ViewSettings, NumbersOnlyEverReplaceWithValuesAboveZero) {
    TempFolder folder;
    const ValueCase sizes[] = {
        {"0", 13},  {"-12", 13},        {"12px", 12},
        {"+9", 9},  {" \t 7", 7},       {"0x10", 13},
        {"1.5", 1}, {"4294967306", 10}, {"2147483648", 13},
        {"", 13},   {"twelve", 13},     {"1234567890123456789012345678901234567890", 13},
    };
    for (const ValueCase& c : sizes) {
        EXPECT_EQ(c.result, readOne(folder, "FontSize", c.value, &ViewSettings::FontSize))
            << c.value;
    }
}

TEST(ViewSettings, FlagsCanOnlyBeSwitchedOn) {
    TempFolder folder;
    const ValueCase bold[] = {{"1", 1}, {"7", 1},  {"2 and more", 1},
                              {"0", 0}, {"-1", 0}, {"yes", 0}};
    for (const ValueCase& c : bold) {
        EXPECT_EQ(c.result, readOne(folder, "FontBold", c.value, &ViewSettings::FontBold))
            << c.value;
    }
    for (const char* value : {"0", "-1", "no", ""}) {
        EXPECT_EQ(1, readOne(folder, "ShowNumbers", value, &ViewSettings::ShowNumbers)) << value;
    }
}

TEST(ViewSettings, ColourSettingsOutsideTheTableKeepTheirDefault) {
    TempFolder folder;
    const ValueCase colours[] = {{"17", 17},    {"16", 16}, {"18", 10},
                                 {"99999", 10}, {"0", 10},  {"-3", 10}};
    for (const ValueCase& c : colours) {
        EXPECT_EQ(c.result,
                  readOne(folder, "FontActiveColor", c.value, &ViewSettings::FontActiveColor))
            << c.value;
    }
    EXPECT_EQ(15, readOne(folder, "BkCommentColor", "4294967311", &ViewSettings::BkCommentColor));
}

TEST(ViewSettings, FaceNamesAreCutAndNeverCleared) {
    TempFolder folder;
    useMenuFile(folder, "[View]\r\nFontName=\r\nFontCommentName=" + std::string(300, 'F') + "\r\n");
    readViewSettings();
    EXPECT_STREQ("Arial", launcherState.view.FontName);
    EXPECT_EQ(std::string(259, 'F'), launcherState.view.FontCommentName);
}

TEST(ReadProfileText, LeavesTheDestinationUntouchedWithoutAValue) {
    TempFolder folder;
    useMenuFile(folder, "[S]\r\nEmpty=\r\nValue=abc\r\n");
    char destination[8];
    std::memset(destination, '#', sizeof destination);  // not even terminated
    readProfileText("S", "Missing", destination, sizeof destination);
    readProfileText("S", "Empty", destination, sizeof destination);
    readProfileText("Nowhere", "Value", destination, sizeof destination);
    EXPECT_EQ(std::string(8, '#'), std::string(destination, sizeof destination));

    readProfileText("S", "Value", destination, sizeof destination);
    EXPECT_STREQ("abc", destination);
    EXPECT_EQ('#', destination[4]);  // nothing written behind the terminator

    readProfileText("S", "Value", destination, 3);
    EXPECT_STREQ("ab", destination);
}

TEST(ReadProfileText, AMissingFileReadsAsNoValue) {
    resetLauncherState();
    std::strcpy(launcherState.menuFilePath, "Z:\\no\\such\\folder\\autorun.inf");
    std::int32_t number = 5;
    readProfileNumber("View", "FontSize", number);
    EXPECT_EQ(5, number);
    readViewSettings();
    EXPECT_STREQ("Arial", launcherState.view.FontName);
}

}  // namespace
