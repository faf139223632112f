// The checker's texts in UTF-8, and the copies it reads the menu file through.
#include "checker/menu_encoding.h"

#include <windows.h>
#include <gtest/gtest.h>

#include <string>

#include "console/console_text.h"
#include "test_files.h"
#include "utf16_text.h"

namespace {

TEST(MenuEncoding, Utf8FromWideIsTheTextItself) {
    const struct {
        std::wstring wide;
        std::string utf8;
    } cases[] = {
        {L"", ""},
        {L"Setup", "Setup"},
        {L"Caf\u00E9", "Caf\xC3\xA9"},
        {L"\u041F\u0440\u0438\u043C\u0435\u0440",
         "\xD0\x9F\xD1\x80\xD0\xB8\xD0\xBC\xD0\xB5\xD1\x80"},
        {L"\u20AC 5", "\xE2\x82\xAC 5"},
        {L"\u65E5\u672C", "\xE6\x97\xA5\xE6\x9C\xAC"},
        // Outside the basic plane: two UTF-16 units, four bytes.
        {L"\xD83D\xDE00!", "\xF0\x9F\x98\x80!"},
        {L"\xD800\xDC00", "\xF0\x90\x80\x80"},
        {std::wstring(L"a\0b", 3), std::string("a\0b", 3)},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(utf8FromWideText(c.wide), c.utf8) << c.utf8;
        EXPECT_EQ(wideFromCodePage(c.utf8, CP_UTF8), c.wide) << c.utf8;
    }
}

std::string titleIn(const std::string& file) {
    char title[64] = {};
    GetPrivateProfileStringA("0", "Title", "", title, sizeof title, file.c_str());
    return title;
}

// On a PC that maps autorun.inf away, and for big-endian UTF-16, the checker reads through a
// copy under another name, which goes with the views.
TEST(MenuFileViews, ReadThroughACopyUnderAnotherName) {
    const struct {
        const char* name;
        std::string bytes;
        bool withoutMark;
        std::string copied;  // the copy's bytes
    } cases[] = {
        {"ANSI", "[0]\r\nTitle=Disc\r\n", false, "[0]\r\nTitle=Disc\r\n"},
        {"UTF-16", utf16Text("[0]\r\nTitle=Disc\r\n", false, "\xFF\xFE"), false,
         utf16Text("[0]\r\nTitle=Disc\r\n", false, "\xFF\xFE")},
        {"UTF-16 big-endian", utf16Text("[0]\r\nTitle=Disc\r\n", true, "\xFE\xFF"), true,
         utf16Text("[0]\r\nTitle=Disc\r\n", true, "")},
    };
    TempFolder medium;
    for (const auto& c : cases) {
        const std::string menu = medium.write("autorun.inf", c.bytes);
        std::string copy;
        {
            MenuFileViews views(menu, c.bytes);
            EXPECT_EQ(views.readingFile(), menu) << c.name;
            ASSERT_TRUE(views.readThroughCopy(c.withoutMark)) << c.name;
            copy = views.readingFile();
            EXPECT_NE(copy, menu) << c.name;
            EXPECT_NE(lstrcmpiA(copy.substr(copy.find_last_of('\\') + 1).c_str(), "autorun.inf"), 0)
                << copy;
            EXPECT_EQ(readWholeFile(copy), c.copied) << c.name;
            if (!c.withoutMark) {
                EXPECT_EQ(titleIn(copy), "Disc") << c.name;
                // A file that is not UTF-16 reads through the copy in every code page.
                if (!views.utf16()) {
                    EXPECT_EQ(views.fileFor(1251), copy) << c.name;
                }
            }
        }
        EXPECT_EQ(GetFileAttributesA(copy.c_str()), INVALID_FILE_ATTRIBUTES) << c.name;
        EXPECT_NE(GetFileAttributesA(menu.c_str()), INVALID_FILE_ATTRIBUTES) << c.name;
    }
}

}  // namespace
