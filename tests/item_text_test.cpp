// The text drawn for an entry: its number in front, and the cut at the buffer's size.
#include "window/item_text.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "startup/lead_byte.h"

namespace {

TEST(ItemText, NumbersBelongToTheSlots) {
    struct Case {
        int index;
        const char* caption;
        int showNumbers;
        const char* text;
    } const cases[] = {
        {0, "Install", 1, "1.  Install"}, {2, "Readme", 1, "3.  Readme"}, {4, "", 1, "5.  "},
        {2, "Readme", 0, "Readme"},       {0, "A & B", 1, "1.  A & B"},
    };
    for (const Case& c : cases) {
        char text[kItemTextSize];
        EXPECT_EQ(std::strlen(c.text), formatItemText(text, c.index, c.caption, c.showNumbers));
        EXPECT_STREQ(c.text, text);
    }
}

TEST(ItemText, LongCaptionsAreCutToTheBuffer) {
    const std::string caption(1019, 'c');
    char text[kItemTextSize];
    EXPECT_EQ(519u, formatItemText(text, 0, caption.c_str(), 1));
    EXPECT_EQ("1.  " + std::string(515, 'c'), text);
    EXPECT_EQ(519u, formatItemText(text, 0, caption.c_str(), 0));
    EXPECT_EQ(std::string(519, 'c'), text);
}

TEST(ItemText, DoubleByteCharacterIsNeverSplitAtTheCut) {
    setLeadByteCodePage(932);
    // 514 single bytes after "1.  " leave one byte free: the next two-byte character
    // does not fit and is left out whole.
    const std::string caption = std::string(514, 'c') + "\x83\x5C" + "tail";
    char text[kItemTextSize];
    EXPECT_EQ(518u, formatItemText(text, 0, caption.c_str(), 1));
    EXPECT_EQ("1.  " + std::string(514, 'c'), text);
    setLeadByteCodePage(0);
}

}  // namespace
