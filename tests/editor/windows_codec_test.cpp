// The platform's code pages for ANSI menu files: each section in its systems' code page,
// nothing ever written as a look-alike.
#include "editor/file/windows_codec.h"

#include <gtest/gtest.h>

#include <string>

namespace {

const AnsiCodec& codec() { return *windowsAnsiCodec(); }

TEST(WindowsCodec, EachSectionInItsSystemsCodePage) {
    const struct {
        const char16_t* section;
        std::u16string text;
        std::string bytes;
    } cases[] = {
        {u"1", u"\u041F\u0440\u0438\u0432\u0435\u0442", "\xCF\xF0\xE8\xE2\xE5\xF2"},  // 1251
        {u"22", u"\u039A\u03B1\u03BB\u03AE", "\xCA\xE1\xEB\xDE"},                     // 1253
        {u"15", u"\u0141\u00F3d\u017A", "\xA3\xF3\x64\x9F"},                          // 1250
        {u"26", u"\u65E5\u672C", "\x93\xFA\x96\x7B"},                                 // 932
        {u"0", u"Caf\u00E9 \u20AC", "Caf\xE9 \x80"},                                  // 1252
        // Every other section, and the lines before the first, are 1252.
        {u"", u"\u00E9", "\xE9"},
        {u"View", u"\u00E9", "\xE9"},
        {u"8", u"\u00E9", "\xE9"},
        {u"01", u"\u00E9", "\xE9"},
        {u"\u0420\u0443\u0441", u"\u00E9", "\xE9"},
    };
    for (const auto& c : cases) {
        std::string bytes;
        EXPECT_TRUE(codec().encode(c.text, c.section, bytes)) << c.bytes;
        EXPECT_EQ(bytes, c.bytes);
        EXPECT_EQ(codec().decode(c.bytes, c.section), c.text) << c.bytes;
    }
}

TEST(WindowsCodec, RefusesWhatTheCodePageLacks) {
    const struct {
        const char* name;
        const char16_t* section;
        std::u16string text;
    } cases[] = {
        {"e acute in Russian", u"1", u"caf\u00E9"},
        {"Cyrillic in Greek", u"22", u"\u0416"},
        // Characters Windows would write as a look-alike without being told not to.
        {"A with macron (best fit A)", u"0", u"\u0100"},
        {"infinity (best fit 8)", u"0", u"\u221E"},
        {"full-width A", u"1", u"\uFF21"},
        {"a lone surrogate", u"0", u"a\xD800"},
        {"outside the basic plane", u"26", u"\xD83D\xDE00"},
    };
    for (const auto& c : cases) {
        std::string bytes;
        EXPECT_FALSE(codec().encode(c.text, c.section, bytes)) << c.name;
    }
}

TEST(WindowsCodec, KeepsTheContractTheDocumentRelies) {
    std::u16string ascii;
    std::string asciiBytes;
    for (char c = ' '; c < 0x7F; ++c) {
        ascii += static_cast<char16_t>(c);
        asciiBytes += c;
    }
    for (const char16_t* section : {u"0", u"1", u"15", u"22", u"26", u"29"}) {
        std::string bytes;
        EXPECT_TRUE(codec().encode(ascii + u"\t", section, bytes));
        EXPECT_EQ(bytes, asciiBytes + "\t");
        // Any bytes decode: a lone lead byte, bytes no code page defines.
        EXPECT_FALSE(codec().decode("a\x81\x98\x93", section).empty());
    }
}

}  // namespace
