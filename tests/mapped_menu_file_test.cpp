// Telling a menu file that the profile reader was kept from (hardened PCs map autorun.inf
// away) from one that holds nothing for the menu: the reader's result is stood in for by
// what launcherState holds.
#include "config/mapped_menu_file.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "config/menu_item.h"
#include "state/launcher_state.h"

namespace {

std::string utf16(const std::string& ascii, bool byteOrderMark = true) {
    std::string bytes = byteOrderMark ? std::string("\xFF\xFE", 2) : std::string();
    for (char c : ascii) {
        bytes += c;
        bytes += '\0';
    }
    return bytes;
}

TEST(MappedMenuFile, SectionHeadingsAsTheProfileReaderKnowsThem) {
    struct Case {
        std::string bytes;
        bool heading;
    } const cases[] = {
        {"[0]\r\nTitle=Menu\r\n", true},
        {"; made by hand\r\n\r\n  \t[autorun]\r\nopen=x.exe\r\n", true},
        {"Title=Menu\r\n1=Install|setup.exe|||\r\n", false},
        {"Title=[0]\r\n", false},  // a bracket inside a value opens nothing
        {"[0\r\n]\r\n", false},    // the closing bracket must stand on the same line
        {"; [0]\n", false},        // a comment
        {"", false},
        {"\xEF\xBB\xBF[0]\n", true},  // UTF-8 byte-order mark
        {utf16("[0]\r\nTitle=Menu\r\n"), true},
        {utf16("\r\n  [View]"), true},
        {utf16("Title=Menu\r\n"), false},
        {utf16("[0]").substr(0, 5), false},            // cut in the middle of a unit: "[0" whole
        {std::string("\xFF\xFE[\0", 4) + "]", false},  // odd length, last byte ignored
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.heading, holdsSectionHeading(c.bytes.data(), c.bytes.size()))
            << testing::PrintToString(c.bytes);
    }
}

TEST(MappedMenuFile, OnlyAReadThatGaveNothingCountsAsEmpty) {
    MenuItem entry("Install", "E:\\setup.exe", "", "", "", false);
    MenuItem emptyEntry("", "E:\\setup.exe", "", "", "", true);  // no caption: not shown
    struct Case {
        const char* title;
        const char* prompt;
        MenuItem* item;
        int slot;
        bool empty;
    } const cases[] = {
        {"", "", nullptr, 0, true},      {"", "", &emptyEntry, 2, true},
        {"Menu", "", nullptr, 0, false}, {"", "Choose", nullptr, 0, false},
        {"", "", &entry, 4, false},
    };
    for (const Case& c : cases) {
        launcherState = LauncherState();
        std::strcpy(launcherState.menuTitle, c.title);
        std::strcpy(launcherState.menuPrompt, c.prompt);
        launcherState.menuItems[c.slot] = c.item;
        EXPECT_EQ(c.empty, menuConfigurationEmpty()) << c.title << "|" << c.prompt << "|" << c.slot;
    }
    launcherState = LauncherState();
}

}  // namespace
