// The checker's decisions about the PC it runs on, the folder it checks, names, values and
// entry lines.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "checker/checking_code_page.h"
#include "checker/entry_fields.h"
#include "checker/medium_root.h"
#include "checker/near_name.h"
#include "checker/value_text.h"
#include "checker/view_values.h"

namespace {

TEST(CheckingCodePage, AMultiByteCodePageGarblesTextsOfOtherCodePages) {
    // [0] in English only, Russian, Greek, Japanese and an ASCII-only Polish section.
    const std::vector<SectionText> sections = {
        {0, 1252, false}, {1, 1251, true}, {22, 1253, true}, {26, 932, true}, {15, 1250, false}};
    const struct {
        unsigned checkingCodePage;
        std::vector<std::int32_t> garbled;
    } cases[] = {
        // Single-byte code pages hand every byte back as it is.
        {1252, {}},         {1251, {}},          {874, {}},
        {932, {1, 22}},     {936, {1, 22, 26}},  {949, {1, 22, 26}},
        {950, {1, 22, 26}}, {1361, {1, 22, 26}}, {65001, {1, 22, 26}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(sectionsGarbledOn(c.checkingCodePage, sections), c.garbled) << c.checkingCodePage;
    }
}

// The fields as written, cut by the menu's own cutter: a field is there when the one before
// it ended at a bar, and the sixth keeps any further bars.
TEST(EntryFields, AreCutWhereTheMenuCutsThem) {
    const struct {
        const char* line;
        std::vector<std::string> fields;
    } cases[] = {
        {"Exit", {"Exit"}},
        {"Exit|", {"Exit", ""}},
        {"Setup|setup.exe", {"Setup", "setup.exe"}},
        {"Setup|setup.exe||||", {"Setup", "setup.exe", "", "", "", ""}},
        {"a|b|c|d|e", {"a", "b", "c", "d", "e"}},
        {"a|b|c|d|e|1|x", {"a", "b", "c", "d", "e", "1|x"}},
        // Nothing trimmed, expanded or unescaped.
        {" Docs | %WINDIR%\\x |a\\nb", {" Docs ", " %WINDIR%\\x ", "a\\nb"}},
        {"||||||", {"", "", "", "", "", "|"}},
    };
    for (const auto& c : cases) EXPECT_EQ(entryFields(c.line), c.fields) << c.line;
}

TEST(EntryFields, AWebAddressWithoutItsScheme) {
    const struct {
        const char* command;
        bool withoutScheme;
    } cases[] = {
        {"www.example.org", true},
        {"WWW.Example.org/help", true},
        {"www.", false},
        {"https://www.example.org", false},
        {"wwwroot\\index.html", false},
        {"docs\\www.example.org", false},
        {"", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(isWebAddressWithoutScheme(c.command), c.withoutScheme) << c.command;
}

TEST(EntryFields, AnAddressKeptForExamples) {
    const struct {
        const char* command;
        const char* host;
    } cases[] = {
        {"https://example.org/", "example.org"},
        {"HTTP://WWW.Example.COM:8080/help", "www.example.com"},
        {"https://docs.example/", "docs.example"},
        {"https://example.org.", "example.org"},
        {"https://myexample.org/", ""},
        {"https://example.org.evil.test/", ""},
        {"ftp://example.org/", ""},
        {"example.org", ""},
        {"readme.txt", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(exampleHost(c.command), c.host) << c.command;
}

TEST(EntryFields, TheLineThatClosesTheMenu) {
    const struct {
        const char* line;
        const char* closing;
    } cases[] = {
        // One bar short: the 1 meant to close stands where the error text goes.
        {"Exit|||Closes this menu.|1", "Exit|||Closes this menu.||1"},
        {"Exit|||Closes this menu.| 1 ", "Exit|||Closes this menu.||1"},
        // An error text stays; any close flag but 1 gives way to it.
        {"Exit|||Closes this menu.|Bye", "Exit|||Closes this menu.|Bye|1"},
        {"Exit|||Closes this menu.||0", "Exit|||Closes this menu.||1"},
        {"Exit|||Closes this menu.||yes|no", "Exit|||Closes this menu.||1"},
        // Missing fields are written out empty.
        {"Exit", "Exit|||||1"},
        {"Exit|", "Exit|||||1"},
    };
    for (const auto& c : cases) EXPECT_EQ(lineThatCloses(entryFields(c.line)), c.closing);
}

TEST(NearName, ASlipOfTheKeyboardNamesTheIntendedName) {
    const std::vector<std::string> keys = {"Title", "Prompt", "FontColor", "FontCommentColor"};
    const struct {
        const char* name;
        const char* nearest;
    } cases[] = {
        {"Titel", "Title"},           // two neighbours swapped: one edit
        {"TITLE", "Title"},           // letter case does not count
        {"FontColour", "FontColor"},  // one letter more
        {"Promt", "Prompt"},
        {"FontCommentColour", "FontCommentColor"},
        {"Tit", ""},  // two edits are more than a third of five letters
        {"Colour", ""},
        {"", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(nearestName(c.name, keys), c.nearest) << c.name;
    EXPECT_EQ(nearestName("A", {"B"}), "");  // names of one or two letters are never near
    EXPECT_TRUE(sameName("fontCOLOR", "FontColor"));
    EXPECT_FALSE(sameName("FontColour", "FontColor"));
}

TEST(ValueText, WrittenZerosBlanksAndUtf8) {
    const struct {
        std::string value;
        bool writtenZero, blank, utf8;
    } cases[] = {
        {"0", true, false, false},
        {" \t+00", true, false, false},
        {"-0 apples", true, false, false},
        {"no", false, false, false},
        {"", false, true, false},
        {" \t\r\n", false, true, false},
        {"Caf\xC3\xA9", false, false, true},
        {"\xEF\xBB\xBF", false, false, true},  // the UTF-8 mark alone
        {"Caf\xE9", false, false, false},      // code page 1252
        {"\xC3", false, false, false},         // cut short
        {"\xC0\x80", false, false, false},     // an overlong form
    };
    for (const auto& c : cases) {
        EXPECT_EQ(isWrittenZero(c.value), c.writtenZero) << c.value;
        EXPECT_EQ(isBlank(c.value), c.blank) << c.value;
        EXPECT_EQ(looksLikeUtf8(c.value), c.utf8) << c.value;
    }
    EXPECT_EQ(trimmed(" \t Title \t"), "Title");
    EXPECT_EQ(trimmed(" \t "), "");
}

// What the checker says about a [View] value the menu's reader did not take as written.
TEST(ViewValues, TheValuesTheMenuDoesNotTake) {
    const auto key = [](const char* name) {
        for (const ViewKey& k : kViewKeys) {
            if (std::string(k.name) == name) return k;
        }
        return kViewKeys[0];
    };
    const struct {
        const char* key;
        std::string value;
        std::int32_t taken, defaultValue;
        std::string said;
    } cases[] = {
        {"ShowNumbers", "1", 1, 1, ""},
        {"ShowNumbers", "0", 0, 1,
         "\"0\" cannot switch this off: the file can only switch a flag on, so it stays 1"},
        {"FontBold", " 0", 0, 0, ""},
        {"FontBold", "yes", 0, 0,
         "\"yes\" does not read as a number above 0: it stays 0 (write 1 to switch it on)"},
        {"FontSize", "12px", 12, 13, ""},
        {"FontSize", "big", 0, 13, "\"big\" does not read as a number above 0: it stays 13"},
        {"FontColor", "17", 17, 1, ""},
        {"FontColor", "red", 0, 1,
         "\"red\" is not a colour number from 1 to 17: it stays 1 (black)"},
        {"BkCommentColor", "18", 18, 15, "colour 18 is outside 1 to 17: it stays 15 (white)"},
        {"FontName", std::string(259, 'F'), 0, 0, ""},
        {"FontName", std::string(260, 'F'), 0, 0,
         "260 characters: the menu takes only the first 259"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(refusedValue(key(c.key), c.value, c.taken, c.defaultValue), c.said) << c.key;
    }
    EXPECT_EQ(colourText(17), "17 (light grey)");
    EXPECT_EQ(colourText(18), "18 (black)");  // what the menu draws for it
}

TEST(MediumRoot, TheMenuTakesTheRootOfItsDriveOrShare) {
    const struct {
        const char* folder;
        const char* root;
        bool another;
    } cases[] = {
        {"E:\\", "E:\\", false},
        {"C:\\mydisc\\", "C:\\", true},
        {"\\\\server\\share\\", "\\\\server\\share\\", false},
        {"\\\\SERVER\\Share\\disc\\", "\\\\SERVER\\Share\\", true},
        // Neither a drive nor a share: nothing to tell.
        {"\\disc\\", "", false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(rootTheMenuTakes(c.folder), c.root) << c.folder;
        EXPECT_EQ(menuTakesAnotherRoot(c.folder), c.another) << c.folder;
    }
}

}  // namespace
