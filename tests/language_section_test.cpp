// Choosing the language section, with the title deciding the fallback to section "0".
#include <windows.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "config/language.h"
#include "state/launcher_state.h"
#include "test_files.h"

namespace {

const char kMenuFile[] =
    "[0]\r\nTitle=English title\r\nPrompt=Choose an entry\r\n"
    "[1]\r\nTitle=Russian title\r\nPrompt=Russian prompt\r\n"
    "[2]\r\nTitle=German title\r\n"
    "[4]\r\nTitle=Ukrainian title\r\nPrompt=Ukrainian \\n prompt\r\n"
    "[01]\r\nTitle=Never read\r\n"
    "[12]\r\nTitle=\r\nPrompt=Nynorsk prompt without a title\r\n";

struct SectionCase {
    std::int32_t languageIndex;
    const char* sectionName;
    std::int32_t indexInForce;
    std::uint8_t charset;
    const char* title;
    const char* prompt;
};

TEST(LanguageSection, ChoosesTheSectionInForce) {
    TempFolder folder;
    const SectionCase cases[] = {
        {0, "0", 0, 1, "English title", "Choose an entry"},
        {1, "1", 1, 204, "Russian title", "Russian prompt"},
        {4, "4", 4, 1, "Ukrainian title", "Ukrainian \\n prompt"},  // the prompt stays as written
        {2, "2", 2, 1, "German title", ""},  // no prompt of its own, none taken from "0"
        {12, "0", 0, 1, "English title", "Choose an entry"},  // empty title: section "0" in full
        {3, "0", 0, 1, "English title", "Choose an entry"},   // no section at all
    };
    for (const SectionCase& c : cases) {
        SCOPED_TRACE(c.languageIndex);
        useMenuFile(folder, kMenuFile);
        loadLanguageSectionFor(c.languageIndex);
        EXPECT_STREQ(c.sectionName, launcherState.sectionName);
        EXPECT_EQ(c.indexInForce, launcherState.languageIndex);
        EXPECT_EQ(c.charset, launcherState.textCharset);
        EXPECT_STREQ(c.title, launcherState.menuTitle);
        EXPECT_STREQ(c.prompt, launcherState.menuPrompt);
    }
}

TEST(LanguageSection, RussianWithoutATitleFallsBackWithTheDefaultCharset) {
    TempFolder folder;
    useMenuFile(folder, "[0]\r\nTitle=T0\r\n[1]\r\nPrompt=P1\r\n1=Entry|x.exe|||\r\n");
    loadLanguageSectionFor(1);
    EXPECT_STREQ("0", launcherState.sectionName);
    EXPECT_EQ(1, launcherState.textCharset);
    EXPECT_STREQ("", launcherState.menuPrompt);
}

TEST(LanguageSection, NoTitleAnywhereLeavesItEmptyInSectionZero) {
    TempFolder folder;
    useMenuFile(folder, "[5]\r\nPrompt=P5\r\n[0]\r\nPrompt=P0\r\n");
    loadLanguageSectionFor(5);
    EXPECT_STREQ("", launcherState.menuTitle);
    EXPECT_STREQ("0", launcherState.sectionName);
    EXPECT_STREQ("P0", launcherState.menuPrompt);
}

TEST(LanguageSection, LongTitleAndPromptAreCut) {
    TempFolder folder;
    useMenuFile(folder, "[0]\r\nTitle=" + std::string(300, 't') +
                            "\r\nPrompt=" + std::string(2000, 'p') + "\r\n");
    loadLanguageSectionFor(0);
    EXPECT_EQ(std::string(259, 't'), launcherState.menuTitle);
    EXPECT_EQ(std::string(1023, 'p'), launcherState.menuPrompt);
}

// Runs for real only where the test run says which language the system reports (Wine under
// a Russian locale); elsewhere the system's language is whatever the machine has.
TEST(SystemLanguage, RussianSystemChoosesSectionOneAndFallsBack) {
    const char* expected = std::getenv("AUTORUN_MENU_EXPECT_LANGID");
    if (expected == nullptr) GTEST_SKIP() << "the system's language is not known to this run";
    ASSERT_EQ(std::atoi(expected), GetSystemDefaultLangID());
    ASSERT_EQ(1, systemLanguageIndex());

    TempFolder folder;
    useMenuFile(folder, kMenuFile);
    loadLanguageSection();
    EXPECT_STREQ("1", launcherState.sectionName);
    EXPECT_EQ(204, launcherState.textCharset);
    EXPECT_STREQ("Russian title", launcherState.menuTitle);

    useMenuFile(folder, "[0]\r\nTitle=T0\r\n[1]\r\nTitle=\r\nPrompt=P1\r\n");
    loadLanguageSection();
    EXPECT_STREQ("0", launcherState.sectionName);
    EXPECT_EQ(1, launcherState.textCharset);
    EXPECT_STREQ("T0", launcherState.menuTitle);
}

// The code page each section's texts reach the menu in is the one the platform gives the
// languages that lead there.
TEST(LanguageTable, CodePagesAreThePlatformsAnsiCodePagesOfTheirLanguages) {
    for (unsigned id = 1; id <= 0xFFFF; ++id) {
        const std::int32_t section = languageIndexForLangId(id);
        if (section == 0 && id != 0x0409) continue;
        char codePage[16] = {};
        ASSERT_GT(GetLocaleInfoA(MAKELCID(id, SORT_DEFAULT), LOCALE_IDEFAULTANSICODEPAGE, codePage,
                                 sizeof codePage),
                  0)
            << id;
        EXPECT_EQ(codePageForLanguageIndex(section), static_cast<unsigned>(std::atoi(codePage)))
            << id;
    }
}

}  // namespace
