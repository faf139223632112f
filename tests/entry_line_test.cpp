// Entry lines cut into menu entries: fields, close flag, media root and line breaks.
#include "config/entry_line.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "config/menu_item.h"
#include "state/launcher_state.h"

namespace {

class EntryLine : public ::testing::Test {
protected:
    void SetUp() override { std::strcpy(launcherState.mediaRoot, "E:\\"); }
    void TearDown() override { launcherState.mediaRoot[0] = '\0'; }
};

struct Expected {
    int empty;
    int closeAfterLaunch;
    const char* caption;
    const char* command;
    const char* parameters;
    const char* comment;
    const char* errorText;
};

void expectItem(const Expected& want, const MenuItem* item) {
    ASSERT_NE(nullptr, item);
    EXPECT_EQ(want.empty, item->empty);
    EXPECT_EQ(want.closeAfterLaunch, item->closeAfterLaunch);
    EXPECT_STREQ(want.caption, item->caption);
    EXPECT_STREQ(want.command, item->command);
    EXPECT_STREQ(want.parameters, item->parameters);
    EXPECT_STREQ(want.comment, item->comment);
    EXPECT_STREQ(want.errorText, item->errorText);
}

TEST_F(EntryLine, LinesBecomeCompleteEntries) {
    struct Case {
        const char* line;
        Expected item;
    } const cases[] = {
        {"Install|setup.exe|/auto|Installs the program.\\nTakes a few minutes.|Setup failed to "
         "start.|1",
         {0, 1, "Install", "E:\\setup.exe", "/auto", "Installs the program.\nTakes a few minutes.",
          "Setup failed to start."}},
        {"Readme|readme.txt|||", {0, 0, "Readme", "E:\\readme.txt", "", "", ""}},
        {"|setup.exe||||1", {1, 1, "", "E:\\setup.exe", "", "", ""}},
        {"Tools||/x|c|e|1", {0, 1, "Tools", "", "/x", "c", "e"}},
        {"Install | setup.exe |||", {0, 0, "Install ", "E:\\ setup.exe ", "", "", ""}},
        {"Docs|docs\\new.txt|a\\nb|D:\\new folder|x\\ny",
         {0, 0, "Docs", "E:\\docs\\new.txt", "a\\nb", "D:\new folder", "x\ny"}},
        {"Cap\\ntion|c|p|\\n|\\\\n", {0, 0, "Cap\\ntion", "E:\\c", "p", "\n", "\\\n"}},
        {"Upper|c||a\\Nb\\tc|", {0, 0, "Upper", "E:\\c", "", "a\\Nb\\tc", ""}},
        // Absolute commands go to the shell as written; relative ones get the root.
        {"A|C:\\Windows\\notepad.exe|||", {0, 0, "A", "C:\\Windows\\notepad.exe", "", "", ""}},
        {"A|\\\\srv\\share\\x.exe|||", {0, 0, "A", "\\\\srv\\share\\x.exe", "", "", ""}},
        {"A|https://example.org/|||", {0, 0, "A", "https://example.org/", "", "", ""}},
        {"A|ms-settings:display|||", {0, 0, "A", "ms-settings:display", "", "", ""}},
        {"A|\\setup.exe|||", {0, 0, "A", "E:\\\\setup.exe", "", "", ""}},
        {"A|1a:b|||", {0, 0, "A", "E:\\1a:b", "", "", ""}},
        {"A|a_b:c|||", {0, 0, "A", "E:\\a_b:c", "", "", ""}},
        // Fewer than four separators: the missing fields are empty, the flag 0.
        {"Only a caption", {0, 0, "Only a caption", "", "", "", ""}},
        {"Two|fields", {0, 0, "Two", "E:\\fields", "", "", ""}},
        {"Four|c|p|comment", {0, 0, "Four", "E:\\c", "p", "comment", ""}},
        {"Five|c|p|comment|error", {0, 0, "Five", "E:\\c", "p", "comment", "error"}},
        {"|", {1, 0, "", "", "", "", ""}},
        {"|||||||||", {1, 0, "", "", "", "", ""}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        expectItem(c.item, menuItemFromLine(c.line));
    }
}

TEST_F(EntryLine, CloseFlagIsOneExactlyForTheNumberOne) {
    struct Case {
        const char* sixth;
        int flag;
    } const cases[] = {
        {"1", 1}, {"01", 1}, {"+1", 1},  {" 1", 1}, {"\t1", 1}, {"1|2", 1}, {"1abc", 1},
        {"2", 0}, {"-1", 0}, {"yes", 0}, {"", 0},   {"0", 0},   {"11", 0},  {"4294967297", 1},
    };
    for (const Case& c : cases) {
        const std::string line = std::string("Go|go.exe|||") + "|" + c.sixth;
        EXPECT_EQ(c.flag, menuItemFromLine(line.c_str())->closeAfterLaunch)
            << '"' << c.sixth << '"';
    }
}

TEST_F(EntryLine, EmptyRootLeavesCommandsAsWritten) {
    launcherState.mediaRoot[0] = '\0';
    expectItem({0, 0, "R", "readme.txt", "", "", ""}, menuItemFromLine("R|readme.txt|||"));
}

TEST_F(EntryLine, EmptyLineGivesAnEmptyEntry) {
    expectItem({1, 0, "", "", "", "", ""}, menuItemFromLine(""));
    expectItem({1, 0, "", "", "", "", ""}, sharedEmptyItem());
}

TEST(TakeField, StopsAtTheBarOrTheLineAndNeverReadsFurther) {
    const char line[] = "ab|cd";
    std::ptrdiff_t consumed = -7;
    char* field = takeField(line, 5, consumed);
    EXPECT_STREQ("ab", field);
    EXPECT_EQ(3, consumed);
    std::free(field);

    field = takeField(line + 3, 2, consumed);
    EXPECT_STREQ("cd", field);
    EXPECT_EQ(3, consumed);  // one past the end of the line
    std::free(field);

    // Past the end of the line: nothing is read, the field is empty.
    for (std::ptrdiff_t remaining : {0, -1, -1000}) {
        field = takeField(nullptr, remaining, consumed);
        EXPECT_STREQ("", field);
        EXPECT_EQ(0, consumed);
        std::free(field);
    }

    // The count bounds the search, not a terminator.
    const char unterminated[3] = {'x', 'y', 'z'};
    field = takeField(unterminated, 3, consumed);
    EXPECT_STREQ("xyz", field);
    std::free(field);
}

TEST(UnescapeLineBreaks, TurnsBackslashNIntoLineFeedsFromLeftToRight) {
    struct Case {
        const char* before;
        const char* after;
    } const cases[] = {
        {"", ""},
        {"\\n", "\n"},
        {"\\", "\\"},
        {"n", "n"},
        {"a\\nb\\nc", "a\nb\nc"},
        {"\\\\n", "\\\n"},
        {"\\n\\n\\n", "\n\n\n"},
        {"\\N\\t\\", "\\N\\t\\"},
        {"end\\", "end\\"},
    };
    for (const Case& c : cases) {
        MenuItem item(c.before, c.before, c.before, c.before, c.before, false);
        EXPECT_STREQ(c.after, item.comment) << c.before;
        EXPECT_STREQ(c.after, item.errorText) << c.before;
        EXPECT_STREQ(c.before, item.caption);
        EXPECT_STREQ(c.before, item.parameters);
    }
}

TEST(MenuItemRecord, CopiesIntoBlocksOfItsOwn) {
    char caption[] = "Caption\\n";
    char comment[] = "Comment\\n";
    MenuItem item(caption, "cmd", "par", comment, "err", true);
    EXPECT_NE(caption, item.caption);
    EXPECT_NE(comment, item.comment);
    EXPECT_STREQ("Caption\\n", item.caption);
    EXPECT_STREQ("Comment\\n", comment);  // the caller's text is not unescaped
    EXPECT_STREQ("Comment\n", item.comment);
    EXPECT_EQ(0, item.empty);
    EXPECT_EQ(1, item.closeAfterLaunch);

    MenuItem nulls(nullptr, nullptr, nullptr, nullptr, nullptr, false);
    EXPECT_EQ(1, nulls.empty);
    EXPECT_STREQ("", nulls.command);
}

}  // namespace
