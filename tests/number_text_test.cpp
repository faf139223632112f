// Numbers and colours as the menu file gives them.
#include "config/number_text.h"

#include <gtest/gtest.h>

#include <cstring>

#include "config/colour_table.h"

namespace {

TEST(NumberFromText, ReadsLikeTheMenuFileNeeds) {
    struct Case {
        const char* text;
        std::int32_t value;
    } const cases[] = {
        {"", 0},
        {"0", 0},
        {"12", 12},
        {"12px", 12},
        {"+9", 9},
        {"-12", -12},
        {"  \t\n\v\f\r7", 7},
        {"0x10", 0},
        {"1.5", 1},
        {"yes", 0},
        {"+-3", 0},
        {"- 3", 0},
        {"\xA0"
         "5",
         0},                        // a byte above 127 is no white space
        {"4294967306", 10},         // 2^32 + 10 wraps to 10
        {"2147483648", INT32_MIN},  // 2^31 reads as a negative number
        {"2147483647", INT32_MAX},
        {"-2147483648", INT32_MIN},
        {"4294967295", -1},
        {"1234567890123456789012345678901234567890", -834729262},
    };
    for (const Case& c : cases) EXPECT_EQ(c.value, numberFromText(c.text)) << '"' << c.text << '"';
}

TEST(DecimalText, WritesLikePercentD) {
    struct Case {
        std::int32_t value;
        const char* text;
    } const cases[] = {
        {0, "0"},
        {1, "1"},
        {5, "5"},
        {29, "29"},
        {-1, "-1"},
        {INT32_MAX, "2147483647"},
        {INT32_MIN, "-2147483648"},
    };
    for (const Case& c : cases) {
        char text[kDecimalTextSize];
        EXPECT_EQ(static_cast<int>(std::strlen(c.text)), decimalText(c.value, text));
        EXPECT_STREQ(c.text, text);
    }
}

TEST(ColourTable, LooksUpEveryIndexAndNothingOutside) {
    EXPECT_EQ(0x000000u, colourFromIndex(0));
    EXPECT_EQ(0x000000u, colourFromIndex(1));
    EXPECT_EQ(0x7F0000u, colourFromIndex(2));   // blue 127: blue is the third byte
    EXPECT_EQ(0x00007Fu, colourFromIndex(3));   // red 127
    EXPECT_EQ(0x0000FFu, colourFromIndex(10));  // red
    EXPECT_EQ(0xFFFFFFu, colourFromIndex(15));  // white
    EXPECT_EQ(0xE0E0E0u, colourFromIndex(17));
    for (std::int32_t outside : {18, 99999, -1, INT32_MIN, INT32_MAX}) {
        EXPECT_EQ(colourTable[0], colourFromIndex(outside)) << outside;
    }
}

}  // namespace
