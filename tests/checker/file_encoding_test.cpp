// How Windows' profile reader takes a menu file, told from its bytes: the encoding, the
// section a UTF-8 mark costs, and which file the checker reads through.
#include "checker/file_encoding.h"

#include <gtest/gtest.h>

#include <string>

#include "checker/read_through.h"
#include "utf16_text.h"

namespace {

const std::string kMenu = "[0]\r\nTitle=Disc\r\n1=Setup|setup.exe||||\r\n";

TEST(FileEncoding, IsToldFromTheBytes) {
    // Russian text between the ASCII names, as UTF-16 little-endian without a mark: every
    // Cyrillic letter has 04 in its high byte, not a NUL.
    const std::string russian =
        utf16Text("[1]\r\nTitle=", false) +
        std::string("\x1F\x04\x40\x04\x38\x04\x3C\x04\x35\x04\x40\x04", 12) +
        utf16Text("\r\n", false);
    // Japanese the same way, with the ideographic space U+3000, whose low byte is a NUL.
    const std::string japanese = utf16Text("[26]\r\nTitle=", false) +
                                 std::string("\xE5\x65\x2C\x67\x00\x30\x9E\x8A", 8) +
                                 utf16Text("\r\n", false);
    const struct {
        const char* name;
        std::string bytes;
        FileEncoding encoding;
    } cases[] = {
        {"ASCII", kMenu, FileEncoding::Ansi},
        {"code page 1251", "[1]\r\nTitle=\xCF\xF0\xE8\xEC\xE5\xF0\r\n", FileEncoding::Ansi},
        {"empty", "", FileEncoding::Ansi},
        {"one byte", "[", FileEncoding::Ansi},
        {"UTF-8", "[0]\r\nTitle=Caf\xC3\xA9\r\n", FileEncoding::Utf8},
        {"UTF-8 with its mark", "\xEF\xBB\xBF" + kMenu, FileEncoding::Utf8WithMark},
        {"UTF-8 mark, ASCII after it", "\xEF\xBB\xBF", FileEncoding::Utf8WithMark},
        {"UTF-16 little-endian", "\xFF\xFE" + utf16Text(kMenu, false), FileEncoding::Utf16},
        {"UTF-16 big-endian", "\xFE\xFF" + utf16Text(kMenu, true), FileEncoding::Utf16BigEndian},
        {"UTF-16 little-endian, no mark", utf16Text(kMenu, false), FileEncoding::Utf16WithoutMark},
        {"UTF-16 big-endian, no mark", utf16Text(kMenu, true), FileEncoding::Utf16WithoutMark},
        {"UTF-16 Russian, no mark", russian, FileEncoding::Utf16WithoutMark},
        {"UTF-16 Japanese, no mark", japanese, FileEncoding::Utf16WithoutMark},
        // A stray NUL or two do not make text UTF-16.
        {"ANSI with a NUL", kMenu + std::string(1, '\0'), FileEncoding::Ansi},
        {"NULs on both sides", std::string("\0\0\0\0a", 5), FileEncoding::Ansi},
    };
    for (const auto& c : cases) EXPECT_EQ(fileEncoding(c.bytes), c.encoding) << c.name;
}

TEST(FileEncoding, TheUtf8MarkCostsTheSectionOfTheFirstLine) {
    const struct {
        std::string bytes;
        const char* lost;
    } cases[] = {
        {"\xEF\xBB\xBF[autorun]\r\nopen=menu.exe\r\n", "autorun"},
        {"\xEF\xBB\xBF[0]", "0"},
        {"\xEF\xBB\xBF \t[ 0 ] ; English\n[1]\n", "0"},
        // The first line opens no section: the mark costs nothing.
        {"\xEF\xBB\xBF; The menu\r\n[0]\r\n", ""},
        {"\xEF\xBB\xBF\r\n[0]\r\n", ""},
        {"\xEF\xBB\xBF[0\r\n]\r\n", ""},
        {"\xEF\xBB\xBF", ""},
        // Without the mark the first line is a heading to every reader.
        {"[0]\r\n", ""},
        {"\xFF\xFE" + utf16Text("[0]\r\n", false), ""},
    };
    for (const auto& c : cases) EXPECT_EQ(sectionLostToMark(c.bytes), c.lost) << c.bytes;
}

TEST(ReadThrough, ACopyWhereTheMenuFileReadsOtherwiseToWindows) {
    const std::string utf16Menu = "\xFF\xFE" + utf16Text(kMenu, false);
    const struct {
        const char* name;
        std::string bytes;
        bool readerFoundSections;
        ReadThrough through;
    } cases[] = {
        {"ANSI, read", kMenu, true, ReadThrough::MenuFile},
        {"UTF-16, read", utf16Menu, true, ReadThrough::MenuFile},
        // Nothing found although the bytes hold a heading: this PC maps the file away.
        {"ANSI, mapped away", kMenu, false, ReadThrough::Copy},
        {"UTF-16, mapped away", utf16Menu, false, ReadThrough::Copy},
        {"UTF-8 with its mark, mapped away", "\xEF\xBB\xBF" + kMenu, false, ReadThrough::Copy},
        {"indented heading, mapped away", "; Disc\r\n  [0]\r\n", false, ReadThrough::Copy},
        // Nothing found and nothing to find.
        {"empty", "", false, ReadThrough::MenuFile},
        {"keys only", "Title=Disc\r\n", false, ReadThrough::MenuFile},
        {"no closing bracket", "[0\r\nTitle=Disc]\r\n", false, ReadThrough::MenuFile},
        // Every reader takes it for ANSI text and finds nothing, mapped or not.
        {"UTF-16 without a mark", utf16Text(kMenu, false), false, ReadThrough::MenuFile},
        // ANSI text to Windows, UTF-16 to other readers: read as Windows reads it.
        {"UTF-16 big-endian", "\xFE\xFF" + utf16Text(kMenu, true), true,
         ReadThrough::CopyWithoutMark},
        {"UTF-16 big-endian, mapped away", "\xFE\xFF" + utf16Text(kMenu, true), false,
         ReadThrough::CopyWithoutMark},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(readThrough(fileEncoding(c.bytes), c.readerFoundSections, c.bytes), c.through)
            << c.name;
    }
}

}  // namespace
