// The checker's decisions about the PC it runs on, the folder it checks and entry lines.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "checker/checking_code_page.h"
#include "checker/entry_fields.h"
#include "checker/medium_root.h"

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
