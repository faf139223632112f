// The document model: files of every shape written back byte for byte, each edit changing
// exactly its lines, values read and stored as the profile reader reads them.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "editor/document/latin1_codec.h"
#include "editor/document/profile_document.h"

namespace {

// Where two files differ, line by line: from line `first` on, the lines `removed` of the
// one before became the lines `inserted`; the lines before and after are the same. Lines
// are given with their line breaks, as Latin-1 (UTF-16 files: characters above U+00FF as
// '?'), so that a failure shows them.
struct LineChange {
    std::size_t first = 0;
    std::vector<std::string> removed;
    std::vector<std::string> inserted;
    bool operator==(const LineChange& other) const {
        return first == other.first && removed == other.removed && inserted == other.inserted;
    }
};

// The file's lines with their line breaks, read on their own terms (not the document's):
// a line ends after LF, or after CR that no LF follows.
std::vector<std::string> linesOf(const std::string& bytes) {
    std::string text;
    if (bytes.compare(0, 2, "\xFF\xFE") == 0) {
        for (std::size_t i = 2; i + 1 < bytes.size(); i += 2) {
            text += bytes[i + 1] == '\0' ? bytes[i] : '?';
        }
    } else {
        text = bytes;
    }
    std::vector<std::string> lines(1);
    for (std::size_t i = 0; i < text.size(); ++i) {
        lines.back() += text[i];
        const bool end =
            text[i] == '\n' || (text[i] == '\r' && (i + 1 == text.size() || text[i + 1] != '\n'));
        if (end && i + 1 < text.size()) lines.emplace_back();
    }
    if (lines.back().empty()) lines.pop_back();
    return lines;
}

// `text` as a UTF-16 little-endian file with its mark.
std::string utf16File(const std::u16string& text) {
    std::string bytes = "\xFF\xFE";
    for (const char16_t unit : text) {
        bytes += static_cast<char>(unit & 0xFF);
        bytes += static_cast<char>(unit >> 8);
    }
    return bytes;
}

// The document of `bytes`, ANSI read as Latin-1.
ProfileDocument loadFile(const std::string& bytes) {
    return ProfileDocument::fromBytes(bytes, std::make_shared<Latin1Codec>());
}

LineChange lineChange(const std::string& before, const std::string& after) {
    const std::vector<std::string> a = linesOf(before);
    const std::vector<std::string> b = linesOf(after);
    std::size_t first = 0;
    while (first < a.size() && first < b.size() && a[first] == b[first]) ++first;
    std::size_t endA = a.size();
    std::size_t endB = b.size();
    while (endA > first && endB > first && a[endA - 1] == b[endB - 1]) {
        --endA;
        --endB;
    }
    return {first, {a.begin() + first, a.begin() + endA}, {b.begin() + first, b.begin() + endB}};
}

std::ostream& operator<<(std::ostream& out, const LineChange& change) {
    out << "from line " << change.first << ":";
    for (const std::string& line : change.removed) out << " -[" << line << "]";
    for (const std::string& line : change.inserted) out << " +[" << line << "]";
    return out;
}

const std::string kCommented =
    "; menu\r\n\r\n[0]\r\n; the title\r\nTitle=Disc\r\n\r\n; the look\r\n[View]\r\nFontSize=13\r\n";
const std::string kOddCase = "[VIEW]\r\nfontsize = 13\r\n";
const std::string kKeyTwice = "[0]\r\nTitle=First\r\nTitle=Second\r\n";
const std::string kSectionTwice = "[0]\r\nTitle=First\r\n[0]\r\nTitle=Second\r\nPrompt=Later\r\n";
const std::string kNoFinalBreak = "[0]\r\nTitle=Disc";
const std::string kCrAlone = "[0]\rTitle=Disc\r";
const std::string kMixed = "[0]\nTitle=Disc\r\nPrompt=Go\r[View]\n";
const std::string kQuoted = "[0]\r\n  Title  =  \"  Disc  \"  \r\n";
const std::string kLatin1 = "[0]\r\nTitle=Caf\xE9\r\n";
const std::string kUtf16 = utf16File(u"[0]\r\nTitle=\u0414\u0438\u0441\u043A\r\n");
const std::string kUtf16NoFinalBreak = utf16File(u"[0]\r\nTitle=Disc");

using Edit = std::function<EditStatus(ProfileDocument&)>;

Edit set(const char16_t* section, const char16_t* key, const char16_t* value) {
    return [=](ProfileDocument& d) { return d.setValue(section, key, value); };
}
Edit removeKey(const char16_t* section, const char16_t* key) {
    return [=](ProfileDocument& d) { return d.removeKey(section, key); };
}
Edit removeSection(const char16_t* section) {
    return [=](ProfileDocument& d) { return d.removeSection(section); };
}

TEST(ProfileDocument, WritesEveryFileBackUnchanged) {
    const std::string files[] = {
        kCommented,
        kOddCase,
        kKeyTwice,
        kSectionTwice,
        kNoFinalBreak,
        kCrAlone,
        kMixed,
        kQuoted,
        kLatin1,
        kUtf16,
        kUtf16NoFinalBreak,
        "",
        "\xFF\xFE",
        "\xFF\xFE[\x00",
        "\r\n\n\r\r",
        std::string("a\0=b", 4),
        "\xEF\xBB\xBF[0]\r\nTitle=x\r\n",
    };
    for (const std::string& file : files) EXPECT_EQ(loadFile(file).toBytes(), file) << file;
}

TEST(ProfileDocument, EachEditChangesExactlyItsLines) {
    const struct {
        const char* name;
        std::string file;
        Edit edit;
        LineChange change;
    } cases[] = {
        {"value",
         kCommented,
         set(u"0", u"Title", u"New"),
         {4, {"Title=Disc\r\n"}, {"Title=New\r\n"}}},
        {"new key before the closing comment",
         kCommented,
         set(u"0", u"Prompt", u"Go"),
         {5, {}, {"Prompt=Go\r\n"}}},
        {"new section",
         kCommented,
         set(u"1049", u"Title", u"T"),
         {9, {}, {"\r\n", "[1049]\r\n", "Title=T\r\n"}}},
        {"key removed", kCommented, removeKey(u"View", u"FontSize"), {8, {"FontSize=13\r\n"}, {}}},
        {"section removed, its closing comment kept",
         kCommented,
         removeSection(u"0"),
         {2, {"[0]\r\n", "; the title\r\n", "Title=Disc\r\n"}, {}}},
        {"odd letter case",
         kOddCase,
         set(u"View", u"FontSize", u"20"),
         {1, {"fontsize = 13\r\n"}, {"fontsize = 20\r\n"}}},
        {"first of a key given twice",
         kKeyTwice,
         set(u"0", u"Title", u"New"),
         {1, {"Title=First\r\n"}, {"Title=New\r\n"}}},
        {"every line of a key given twice",
         kKeyTwice,
         removeKey(u"0", u"title"),
         {1, {"Title=First\r\n", "Title=Second\r\n"}, {}}},
        {"new key into the first of two sections",
         kSectionTwice,
         set(u"0", u"Prompt", u"Now"),
         {2, {}, {"Prompt=Now\r\n"}}},
        {"both of two sections",
         kSectionTwice,
         removeSection(u"0"),
         {0,
          {"[0]\r\n", "Title=First\r\n", "[0]\r\n", "Title=Second\r\n", "Prompt=Later\r\n"},
          {}}},
        {"value on the last line",
         kNoFinalBreak,
         set(u"0", u"Title", u"New"),
         {1, {"Title=Disc"}, {"Title=New"}}},
        {"new last line, still no final break",
         kNoFinalBreak,
         set(u"0", u"Prompt", u"Go"),
         {1, {"Title=Disc"}, {"Title=Disc\r\n", "Prompt=Go"}}},
        {"last line removed, still no final break",
         kNoFinalBreak,
         removeKey(u"0", u"Title"),
         {0, {"[0]\r\n", "Title=Disc"}, {"[0]"}}},
        {"CR alone", kCrAlone, set(u"0", u"Prompt", u"Go"), {2, {}, {"Prompt=Go\r"}}},
        {"mixed: the line before's break",
         kMixed,
         set(u"0", u"Caption", u"C"),
         {3, {}, {"Caption=C\r"}}},
        {"blanks and quotes kept",
         kQuoted,
         set(u"0", u"Title", u"  New  "),
         {1, {"  Title  =  \"  Disc  \"  \r\n"}, {"  Title  =  \"  New  \"  \r\n"}}},
        {"quotes dropped when not needed",
         kQuoted,
         set(u"0", u"Title", u"New"),
         {1, {"  Title  =  \"  Disc  \"  \r\n"}, {"  Title  =  New  \r\n"}}},
        {"Latin-1",
         kLatin1,
         set(u"0", u"Title", u"\u00C9t\u00E9"),
         {1, {"Title=Caf\xE9\r\n"}, {"Title=\xC9t\xE9\r\n"}}},
        {"UTF-16",
         kUtf16,
         set(u"0", u"Title", u"Caf\u00E9"),
         {1, {"Title=????\r\n"}, {"Title=Caf\xE9\r\n"}}},
        {"UTF-16, new last line",
         kUtf16NoFinalBreak,
         set(u"0", u"Prompt", u"Go"),
         {1, {"Title=Disc"}, {"Title=Disc\r\n", "Prompt=Go"}}},
        {"same value: nothing", kQuoted, set(u"0", u"title", u"  Disc  "), {2, {}, {}}},
    };
    for (const auto& c : cases) {
        ProfileDocument document = loadFile(c.file);
        EXPECT_EQ(c.edit(document), EditStatus::Done) << c.name;
        const std::string written = document.toBytes();
        EXPECT_EQ(lineChange(c.file, written), c.change) << c.name;
        // The written file reads as the edited document does.
        const ProfileDocument again = loadFile(written);
        EXPECT_EQ(again.toBytes(), written) << c.name;
    }
}

TEST(ProfileDocument, ReadsValuesAsTheProfileReaderDoes) {
    const std::string file =
        "Title=before any section\r\n"
        "[0]\r\n"
        "\t Title \t= \t Disc \t\r\n"
        "Title=second\r\n"
        "; Prompt=commented\r\n"
        "Double=\"  in quotes  \"\r\n"
        "Single=  ' in quotes '  \r\n"
        "Unmatched=\"open'\r\n"
        "Inner=\"'both'\"\r\n"
        "OneQuote=\"\r\n"
        "Bare\r\n"
        "  [ View ] text after the bracket\r\n"
        "FontSize=13\r\n"
        "[0]\r\n"
        "Prompt=from the second section\r\n"
        "[Open\r\n"
        "Key=in a heading without bracket\r\n";
    const ProfileDocument document = loadFile(file);
    const struct {
        const char16_t* section;
        const char16_t* key;
        std::optional<std::u16string> value;
    } cases[] = {
        {u"0", u"title", u"Disc"},           {u"0", u"Prompt", std::nullopt},
        {u"0", u"Double", u"  in quotes  "}, {u"0", u"Single", u" in quotes "},
        {u"0", u"Unmatched", u"\"open'"},    {u"0", u"Inner", u"'both'"},
        {u"0", u"OneQuote", u"\""},          {u"0", u"Bare", u""},
        {u"VIEW", u"FontSize", u"13"},       {u"Open", u"Key", u"in a heading without bracket"},
        {u"", u"Title", std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(document.value(c.section, c.key), c.value)
            << std::string(c.key, c.key + std::char_traits<char16_t>::length(c.key));
    }
    EXPECT_EQ(document.keyLine(u"0", u"TITLE"), 2u);
    EXPECT_EQ(document.sectionLine(u"0"), 1u);
}

TEST(ProfileDocument, StoresValuesSoTheyReadBack) {
    const std::u16string values[] = {
        u"",  u" lead",  u"trail\t", u"\vboth ",        u"\"quoted\"",      u"'quoted'", u"\"",
        u"'", u"\"half", u"a=b",     u";not a comment", u"[not a heading]", u"\"  \"",
    };
    for (const std::u16string& value : values) {
        for (const std::string& file : {kQuoted, kNoFinalBreak, kUtf16}) {
            for (const char16_t* key : {u"Title", u"Prompt"}) {
                ProfileDocument document = loadFile(file);
                ASSERT_EQ(document.setValue(u"0", key, value), EditStatus::Done);
                EXPECT_EQ(loadFile(document.toBytes()).value(u"0", key), value);
            }
        }
    }
}

TEST(ProfileDocument, RefusesWhatCannotReadBackAndChangesNothing) {
    const struct {
        const char* name;
        std::string file;
        Edit edit;
        EditStatus status;
    } cases[] = {
        {"LF", kQuoted, set(u"0", u"Title", u"a\nb"), EditStatus::ValueNotStorable},
        {"CR", kQuoted, set(u"0", u"Title", u"a\rb"), EditStatus::ValueNotStorable},
        {"key with =", kQuoted, set(u"0", u"a=b", u"x"), EditStatus::NameNotStorable},
        {"key starting ;", kQuoted, set(u"0", u";a", u"x"), EditStatus::NameNotStorable},
        {"empty key", kQuoted, set(u"0", u"", u"x"), EditStatus::NameNotStorable},
        {"section with ]", kQuoted, set(u"a]b", u"Title", u"x"), EditStatus::NameNotStorable},
        {"section with blank", kQuoted, set(u" 0", u"Title", u"x"), EditStatus::NameNotStorable},
        {"not in the code page", kLatin1, set(u"0", u"Title", u"\u0416"),
         EditStatus::NotInCodePage},
        {"new section not in the code page", kLatin1, set(u"\u0416", u"Title", u"x"),
         EditStatus::NotInCodePage},
    };
    for (const auto& c : cases) {
        ProfileDocument document = loadFile(c.file);
        EXPECT_EQ(c.edit(document), c.status) << c.name;
        EXPECT_EQ(document.toBytes(), c.file) << c.name;
    }
    // A NUL would end the value the reader returns.
    ProfileDocument document = loadFile(kQuoted);
    EXPECT_EQ(document.setValue(u"0", u"Title", std::u16string(u"a\0b", 3)),
              EditStatus::ValueNotStorable);
    EXPECT_EQ(document.toBytes(), kQuoted);
}

TEST(ProfileDocument, AnAnsiFileBecomesUtf16ForCharactersItsCodePageLacks) {
    ProfileDocument document = loadFile(kLatin1);
    document.convertToUtf16();
    ASSERT_EQ(document.setValue(u"0", u"Prompt", u"\u0416"), EditStatus::Done);
    EXPECT_EQ(document.toBytes(), utf16File(u"[0]\r\nTitle=Caf\u00E9\r\nPrompt=\u0416\r\n"));
}

TEST(ProfileDocument, ANewFileIsUtf16WithCrLf) {
    ProfileDocument document = ProfileDocument::fromText(u"\uFEFF");
    ASSERT_EQ(document.addSection(u"autorun"), EditStatus::Done);
    ASSERT_EQ(document.setValue(u"0", u"Title", u"Disc"), EditStatus::Done);
    EXPECT_EQ(document.addSection(u"AUTORUN"), EditStatus::Done);
    EXPECT_EQ(document.toBytes(), utf16File(u"[autorun]\r\n\r\n[0]\r\nTitle=Disc\r\n"));
}

}  // namespace
