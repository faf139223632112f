// Which section serves which language, and the character set that goes with it.
#include <gtest/gtest.h>

#include "config/language.h"

namespace {

TEST(LanguageTable, EveryListedLanguageAndSomeThatAreNot) {
    struct Case {
        std::uint32_t langId;
        std::int32_t section;
    } const cases[] = {
        {1049, 1},
        {1031, 2},
        {2055, 2},
        {1036, 3},
        {2060, 3},
        {3084, 3},
        {4108, 3},
        {1058, 4},
        {1034, 5},
        {2058, 5},
        {3082, 5},
        {1040, 6},
        {2064, 6},
        {1043, 7},
        {2067, 7},
        {1044, 11},
        {2068, 12},
        {1046, 13},
        {2070, 13},
        {1051, 14},
        {1045, 15},
        {1029, 16},
        {1038, 17},
        {1063, 18},
        {1062, 19},
        {1061, 20},
        {1039, 21},
        {1032, 22},
        {1026, 23},
        {1055, 24},
        {1041, 26},
        {1037, 29},
        // Without a section of their own: English, regional variants not listed, nothing.
        {1033, 0},
        {2057, 0},
        {3079, 0},
        {5132, 0},
        {11274, 0},
        {0, 0},
        {0xFFFF, 0},
        // Only the low 16 bits take part.
        {0x10419, 1},
        {0xFFFF0422, 4},
        {0x10000, 0},
    };
    for (const Case& c : cases) EXPECT_EQ(c.section, languageIndexForLangId(c.langId)) << c.langId;
}

TEST(LanguageTable, NoLanguageLeadsToTheUnusedSections) {
    for (std::uint32_t id = 0; id <= 0xFFFF; ++id) {
        const std::int32_t section = languageIndexForLangId(id);
        ASSERT_TRUE(section >= 0 && section <= 29) << id;
        ASSERT_TRUE(section != 8 && section != 9 && section != 10 && section != 25 &&
                    section != 27 && section != 28)
            << id;
    }
}

// Sections no language leads to are read in the Western code page, as section 0 is.
TEST(LanguageTable, SectionsWithoutALanguageAreReadInTheWesternCodePage) {
    for (std::int32_t section : {0, 8, 25, 30, -1})
        EXPECT_EQ(1252u, codePageForLanguageIndex(section));
}

TEST(LanguageTable, OnlyTheRussianSectionAsksForTheRussianCharset) {
    EXPECT_EQ(204, charsetForLanguageIndex(1));
    for (std::int32_t section : {0, 2, 4, 12, 29, -1})
        EXPECT_EQ(1, charsetForLanguageIndex(section));
}

}  // namespace
