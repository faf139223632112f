// Which files the editor opens as they are, offers to convert, or refuses.
#include <gtest/gtest.h>

#include <string>

#include "editor/document/profile_file_kind.h"

namespace {

TEST(ProfileFileKind, IsToldFromTheBytes) {
    const std::string menu = "[0]\r\nTitle=Disc\r\n";
    const struct {
        const char* name;
        std::string bytes;
        ProfileFileKind kind;
    } cases[] = {
        {"ASCII", menu, ProfileFileKind::Ansi},
        {"empty", "", ProfileFileKind::Ansi},
        {"code page 1251", "[1]\r\nTitle=\xCF\xF0\xE8\xEC\xE5\xF0\r\n", ProfileFileKind::Ansi},
        {"UTF-16", std::string("\xFF\xFE[\0]\0\x14\x04", 8), ProfileFileKind::Utf16},
        {"UTF-16, just the mark", "\xFF\xFE", ProfileFileKind::Utf16},
        {"UTF-8", "[0]\r\nTitle=Caf\xC3\xA9\r\n", ProfileFileKind::Utf8},
        {"UTF-8 with its mark", "\xEF\xBB\xBF" + menu, ProfileFileKind::Utf8WithMark},
        {"UTF-16 big-endian", std::string("\xFE\xFF\0[\0]", 6), ProfileFileKind::Utf16BigEndian},
        {"UTF-16 without mark",
         std::string("[\0"
                     "0\0]\0\r\0\n\0",
                     10),
         ProfileFileKind::Utf16WithoutMark},
        {"NUL in ANSI text", menu + std::string("\0x", 2), ProfileFileKind::Binary},
        {"NUL in UTF-16 text", std::string("\xFF\xFE[\0\0\0", 6), ProfileFileKind::Binary},
        {"1 MiB", std::string(kLargestProfileFile, 'a'), ProfileFileKind::Ansi},
        {"over 1 MiB", std::string(kLargestProfileFile + 1, 'a'), ProfileFileKind::TooLarge},
    };
    for (const auto& c : cases) EXPECT_EQ(profileFileKind(c.bytes), c.kind) << c.name;
}

}  // namespace
