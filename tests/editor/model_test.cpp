// The editor's fields over the document: entry lines cut as the menu cuts them and joined
// again without losing what the author wrote, line breaks as "\n", and undo history.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "editor/document/profile_document.h"
#include "editor/model/edit_history.h"
#include "editor/model/entry_fields.h"
#include "editor/model/medium_path.h"
#include "editor/model/utf8_text.h"

namespace {

struct LineCase {
    const char16_t* line;
    EntryFields fields;
};

TEST(EntryFields, LinesCutAndJoinedAgain) {
    const LineCase cases[] = {
        {u"Setup|setup.exe|/q|Installs it.|Cannot start.",
         {u"Setup", u"setup.exe", u"/q", u"Installs it.", u"Cannot start.", false, u""}},
        {u"Exit||||Bye|1", {u"Exit", u"", u"", u"", u"Bye", true, u"1", true}},
        {u"Exit||||| 1", {u"Exit", u"", u"", u"", u"", true, u" 1", true}},
        {u"Read|a.txt|||| 0|x", {u"Read", u"a.txt", u"", u"", u"", false, u" 0|x", true}},
        {u"Read|a.txt||Its comment.|Its error.|",
         {u"Read", u"a.txt", u"", u"Its comment.", u"Its error.", false, u"", true}},
        {u"  Spaced | cmd ||Line one\\nline two|",
         {u"  Spaced ", u" cmd ", u"", u"Line one\\nline two", u"", false, u""}},
        {u"Жёлтый|файл.exe|||", {u"Жёлтый", u"файл.exe", u"", u"", u"", false, u""}},
    };
    for (const LineCase& c : cases) {
        const EntryFields got = entryFieldsOf(c.line);
        EXPECT_EQ(got.caption, c.fields.caption);
        EXPECT_EQ(got.command, c.fields.command);
        EXPECT_EQ(got.parameters, c.fields.parameters);
        EXPECT_EQ(got.comment, c.fields.comment);
        EXPECT_EQ(got.errorText, c.fields.errorText);
        EXPECT_EQ(got.closes, c.fields.closes);
        EXPECT_EQ(got.closeField, c.fields.closeField);
        EXPECT_EQ(got.hasCloseField, c.fields.hasCloseField);
        EXPECT_EQ(entryLineOf(got), c.line) << "unchanged fields give the line back";
    }
}

TEST(EntryFields, ChangedFieldsMakeTheirLine) {
    EntryFields fields = entryFieldsOf(u"Caption");
    EXPECT_EQ(entryLineOf(fields), u"Caption||||") << "every field written";
    fields.closes = true;
    EXPECT_EQ(entryLineOf(fields), u"Caption|||||1");
    fields = entryFieldsOf(u"A||||| 1 |more");
    fields.closes = false;
    EXPECT_EQ(entryLineOf(fields), u"A||||") << "the close field goes once it no longer closes";
    fields = entryFieldsOf(u"B||||Error|");
    fields.caption = u"C";
    EXPECT_EQ(entryLineOf(fields), u"C||||Error|") << "an empty sixth field stays";
    EXPECT_EQ(entryLineOf(EntryFields{}), u"") << "an empty entry is an empty line";
    EXPECT_TRUE(fitsInField(u"a\\b c"));
    EXPECT_FALSE(fitsInField(u"a|b"));
}

TEST(EntryFields, LineBreaksAreStoredAsBackslashN) {
    const struct {
        const char16_t* shown;
        const char16_t* stored;
    } cases[] = {
        {u"one\r\ntwo", u"one\\ntwo"},
        {u"one\ntwo\rthree", u"one\\ntwo\\nthree"},
        {u"\r\n\r\n", u"\\n\\n"},
        {u"no break", u"no break"},
    };
    for (const auto& c : cases) EXPECT_EQ(storedText(c.shown), c.stored);
    EXPECT_EQ(shownText(u"one\\ntwo\\n"), u"one\r\ntwo\r\n");
    EXPECT_EQ(shownText(u"ends in \\"), u"ends in \\");
}

TEST(Utf8Text, EveryTextComesBackExactly) {
    const std::u16string texts[] = {u"", u"plain", u"Ελληνικά Ж €", u"\U0001F600 beyond",
                                    std::u16string(1, u'\xD800') + u"lone"};
    for (const std::u16string& text : texts) EXPECT_EQ(utf16Of(utf8Of(text)), text);
    EXPECT_EQ(utf8Of(u"Ж"), "\xD0\x96");
}

TEST(EditHistory, TypingInOneFieldIsOneStep) {
    ProfileDocument document = ProfileDocument::fromText(u"[0]\r\nTitle=A\r\n");
    EditHistory history;
    const auto edit = [&](const char16_t* title, int group) {
        history.record(document, group);
        document.setValue(u"0", u"Title", title);
    };
    edit(u"AB", 7);
    edit(u"ABC", 7);
    edit(u"X", 0);
    edit(u"XY", 8);
    history.endStep();
    edit(u"XYZ", 8);

    const char16_t* expected[] = {u"XY", u"X", u"ABC", u"A"};
    for (const char16_t* title : expected) {
        ASSERT_TRUE(history.canUndo());
        document = *history.undo(document);
        EXPECT_EQ(*document.value(u"0", u"Title"), title);
    }
    EXPECT_FALSE(history.undo(document).has_value());
    document = *history.redo(document);
    document = *history.redo(document);
    EXPECT_EQ(*document.value(u"0", u"Title"), u"X");
    edit(u"new", 0);
    EXPECT_FALSE(history.canRedo()) << "a new edit drops what was undone";
}

}  // namespace

namespace {

TEST(MediumPath, FilesOfTheMediumRelativeToItsRoot) {
    const struct {
        const char16_t* path;
        const char16_t* root;
        std::optional<std::u16string> relative;
    } cases[] = {
        {u"E:\\setup\\setup.exe", u"E:\\", u"setup\\setup.exe"},
        {u"c:\\Disc\\docs/read me.txt", u"C:\\disc", u"docs\\read me.txt"},
        {u"C:\\disc\\a.exe", u"C:\\disc\\", u"a.exe"},
        {u"C:\\discs\\a.exe", u"C:\\disc\\", std::nullopt},
        {u"D:\\a.exe", u"C:\\disc\\", std::nullopt},
        {u"C:\\disc", u"C:\\disc\\", std::nullopt},
        {u"\\\\server\\share\\x\\y.pdf", u"\\\\server\\share\\", u"x\\y.pdf"},
    };
    for (const auto& c : cases) EXPECT_EQ(relativeToRoot(c.path, c.root), c.relative) << c.path[0];
}

}  // namespace
