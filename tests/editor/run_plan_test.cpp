// What a run of the menu decides before anything starts: which files can run, and which
// drive letters a folder may borrow.
#include "editor/run/run_plan.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(MenuRunFiles, TakesTheMenuFileAndTheProgramBesideIt) {
    const struct {
        const wchar_t* menuFile;
        const wchar_t* program;
        const wchar_t* folder;  // null: refused
        const wchar_t* programName;
        const wchar_t* reason;  // words of the refusal
    } cases[] = {
        {L"C:\\disc\\autorun.inf", L"C:\\disc\\autorun-menu.exe", L"C:\\disc\\",
         L"autorun-menu.exe", nullptr},
        {L"C:\\Disc\\AUTORUN.INF", L"c:\\disc\\Menu.exe", L"C:\\Disc\\", L"Menu.exe", nullptr},
        {L"\\\\srv\\share\\autorun.inf", L"\\\\srv\\share\\m.exe", L"\\\\srv\\share\\", L"m.exe",
         nullptr},
        {L"C:\\disc\\menu.inf", L"C:\\disc\\m.exe", nullptr, nullptr, L"menu.inf"},
        {L"C:\\disc\\autorun.inf", L"C:\\other\\m.exe", nullptr, nullptr, L"Copy the menu"},
        {L"C:\\disc\\autorun.inf", L"C:\\disc\\bin\\m.exe", nullptr, nullptr, L"beside"},
        {L"C:\\disc\\autorun.inf", L"C:\\disc\\", nullptr, nullptr, L"full paths"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.menuFile << " " << c.program);
        MenuRunFiles files;
        std::wstring error;
        const bool taken = menuRunFiles(c.menuFile, c.program, files, error);
        if (c.folder == nullptr) {
            EXPECT_FALSE(taken);
            EXPECT_NE(std::wstring::npos, error.find(c.reason)) << error;
            continue;
        }
        ASSERT_TRUE(taken);
        EXPECT_EQ(c.folder, files.folder);
        EXPECT_EQ(c.programName, files.programName);
    }
}

TEST(MappableDriveLetters, FromZDownToDWithoutTheLettersInUse) {
    const auto bit = [](wchar_t letter) { return std::uint32_t{1} << (letter - L'A'); };
    const struct {
        const char* name;
        std::uint32_t used;
        std::wstring letters;
    } cases[] = {
        {"none used", 0, L"ZYXWVUTSRQPONMLKJIHGFED"},
        {"C and Z (Wine's root)", bit(L'C') | bit(L'Z'), L"YXWVUTSRQPONMLKJIHGFED"},
        {"every letter", 0x03FFFFFFu, L""},
        {"bits above Z", 0xFC000000u | bit(L'D'), L"ZYXWVUTSRQPONMLKJIHGFE"},
    };
    for (const auto& c : cases) EXPECT_EQ(c.letters, mappableDriveLetters(c.used)) << c.name;
}

}  // namespace
