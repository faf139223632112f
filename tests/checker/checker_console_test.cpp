// The console checker run as a process, as authors run it: its printed lines, its options and
// its exit code.
#include <windows.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "console_tool.h"
#include "test_files.h"
#include "utf16_text.h"

namespace {

struct CheckerRun {
    DWORD exitCode = 0xFFFFFFFF;
    std::vector<std::string> lines;
};

std::string checkerPath() {
    char program[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, program, sizeof program);
    std::string path(program, length);
    path = path.substr(0, path.find_last_of("\\/") + 1) + AUTORUN_MENU_CHECKER;
    char full[MAX_PATH];
    GetFullPathNameA(path.c_str(), sizeof full, full, nullptr);
    return full;
}

std::vector<std::string> splitLines(const std::string& output) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < output.size()) {
        std::size_t end = output.find('\n', start);
        if (end == std::string::npos) end = output.size();
        std::string line = output.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
        start = end + 1;
    }
    return lines;
}

// Runs the checker with `arguments` and collects the lines it prints.
CheckerRun runChecker(const std::string& arguments) {
    const ToolRun tool = runConsoleTool(checkerPath(), arguments);
    CheckerRun run;
    run.exitCode = tool.exitCode;
    run.lines = splitLines(tool.output);
    return run;
}

// Every line the checker prints about a UTF-16 menu file for four languages: each finding's
// place, line and severity, every text in UTF-8 whatever code page it was judged in, and
// the count at the end.
TEST(CheckerConsole, PrintsEveryFindingAsALineInUtf8) {
    TempFolder medium;
    medium.write("setup.exe", "");
    medium.write("autorun.inf",
                 utf16Text("[0]\r\nTitle=Sample Disc\r\n1=Setup|setup.exe||||\r\n2=Manual|"
                           "manual.pdf||||\r\n[1]\r\nTitle=Пример диска\r\n1=Выход|||||1\r\n"
                           "[22]\r\nTitle=Δίσκος\r\n1=Έξοδος ж|||||1\r\n",
                           false, "\xFF\xFE"));

    // Quoted with its final backslash, as authors write a folder: the backslash escapes the
    // closing quotation mark, so the checker gets the folder with a stray quotation mark.
    const CheckerRun run = runChecker("\"" + medium.path() + "\"");

    const std::string folder = medium.path();
    const std::string file = folder + "autorun.inf";
    const std::string prompt =
        " Prompt: none: the comment box stays empty until the pointer is over an entry";
    const std::vector<std::string> expected = {
        file + ": info: the menu file",
        folder +
            ": info: the medium's root: relative commands start here (--root DIR when the "
            "menu lies in a subfolder)",
        folder + ": note: the menu started from this folder takes the root of its drive, " +
            folder.substr(0, 3) +
            ", for the medium's root, and starts relative commands there; to try it as the "
            "medium will be, map this folder to a drive letter (subst E: \"" +
            folder.substr(0, folder.size() - 1) + "\") or mount an image of the medium",
        file +
            ": info: saved in UTF-16: every language section reaches the menu in the code page "
            "of its systems, and each is checked in it",
        folder +
            ": note: no program here carries the menu's picture (--menu PROGRAM names it): "
            "the captions' contrast on the picture is not checked",
        file +
            ": note: [autorun]: missing: Windows offers nothing when the medium is inserted; "
            "the menu works when started by hand (open=autorun-menu.exe offers it)",
        file + ": info: [View]: not in the file: the menu uses its defaults",
        file + ": info: [View] ShowNumbers: 1",
        file + ": info: [View] FontName: Arial*",
        file + ": info: [View] FontSize: 13",
        file + ": info: [View] FontBold: 0",
        file + ": info: [View] FontItalic: 0",
        file + ": info: [View] FontUnderlined: 0",
        file + ": info: [View] FontColor: 1 (black)",
        file + ": info: [View] FontActiveColor: 10 (red)",
        file + ": info: [View] FontCommentName: Arial*",
        file + ": info: [View] FontCommentSize: 11",
        file + ": info: [View] FontCommentColor: 1 (black)",
        file + ": info: [View] BkCommentColor: 15 (white)",
        file +
            ":1: info: [0]: English (1033) and every language without a titled section of its "
            "own -> [0]",
        file + ":2: info: [0] Title: \"Sample Disc\"",
        file + ":1: info: [0]" + prompt,
        file + ":3: info: [0] 1: \"Setup\" starts " + folder + "setup.exe, the menu stays open",
        file + ":4: info: [0] 2: \"Manual\" starts " + folder + "manual.pdf, the menu stays open",
        file + ":4: error: [0] 2: command manual.pdf: no such file on the medium (" + folder +
            "manual.pdf)",
        file + ":5: info: [1]: Russian (1049) -> [1]",
        file + ":6: info: [1] Title: \"Пример диска\"",
        file + ":5: info: [1]" + prompt,
        file + ":7: info: [1] 1: \"Выход\" starts nothing, closes the menu",
        file + ":8: info: [22]: Greek (1032) -> [22]",
        file + ":9: info: [22] Title: \"Δίσκος\"",
        file + ":8: info: [22]" + prompt,
        file + ":10: info: [22] 1: \"Έξοδος ?\" starts nothing, closes the menu",
        file +
            ":10: warning: [22] 1: code page 1253 of this section's systems has no \"ж\" "
            "(U+0436): the menu shows \"?\" instead",
        file + ": info: 1 error, 1 warning",
    };
    ASSERT_EQ(run.lines.size(), expected.size()) << testing::PrintToString(run.lines);
    for (std::size_t i = 0; i < expected.size(); ++i) {
        // The face the system draws Arial with may be another: only the start is the same.
        const bool start = expected[i].back() == '*';
        const std::string want =
            start ? expected[i].substr(0, expected[i].size() - 1) : expected[i];
        EXPECT_EQ(start ? run.lines[i].substr(0, want.size()) : run.lines[i], want);
    }
    EXPECT_EQ(run.exitCode, 2u);
}

TEST(CheckerConsole, HelpQuietAndWrongArguments) {
    const CheckerRun help = runChecker("--help");
    EXPECT_EQ(help.exitCode, 0u);
    ASSERT_FALSE(help.lines.empty());
    EXPECT_EQ(help.lines[0],
              "Usage: autorun-menu-check [--quiet] [--root DIR] [--menu PROGRAM] MEDIUM");

    // Nothing printed; the exit code alone tells the result.
    TempFolder medium;
    medium.write("autorun.inf", "[0]\r\nTitle=Disc\r\n1=Manual|manual.pdf||||\r\n");
    const CheckerRun quiet = runChecker("--quiet \"" + medium.path() + "autorun.inf\"");
    EXPECT_EQ(quiet.exitCode, 2u);
    EXPECT_EQ(quiet.lines, std::vector<std::string>{});

    EXPECT_EQ(runChecker("").exitCode, 2u);
    EXPECT_EQ(runChecker("--frobnicate x").exitCode, 2u);
}

}  // namespace
