// The built checker run as a process on medium folders: what it prints and its exit code.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "test_files.h"

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

// Runs the checker with `arguments` and collects its standard output.
CheckerRun runChecker(const std::string& arguments) {
    CheckerRun run;
    SECURITY_ATTRIBUTES inheritable = {sizeof inheritable, nullptr, TRUE};
    HANDLE readEnd = nullptr;
    HANDLE writeEnd = nullptr;
    if (!CreatePipe(&readEnd, &writeEnd, &inheritable, 0)) return run;
    SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);

    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = writeEnd;
    startup.hStdError = writeEnd;
    PROCESS_INFORMATION process = {};
    std::string commandLine = "\"" + checkerPath() + "\" " + arguments;
    const bool started =
        CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr,
                       nullptr, &startup, &process) != 0;
    CloseHandle(writeEnd);
    if (started) {
        std::string output;
        char buffer[4096];
        DWORD read = 0;
        while (ReadFile(readEnd, buffer, sizeof buffer, &read, nullptr) && read > 0)
            output.append(buffer, read);
        WaitForSingleObject(process.hProcess, 30000);
        GetExitCodeProcess(process.hProcess, &run.exitCode);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
        run.lines = splitLines(output);
    }
    CloseHandle(readEnd);
    return run;
}

std::string replaced(std::string text, const std::string& from, const std::string& to) {
    for (std::size_t at = text.find(from); at != std::string::npos;
         at = text.find(from, at + to.size())) {
        text.replace(at, from.size(), to);
    }
    return text;
}

std::string crlf(const std::string& text) { return replaced(text, "\n", "\r\n"); }

// A medium as an author would lay it out, Russian in code page 1251.
const std::string kGoodMenu = crlf(
    "[autorun]\n"
    "open=autorun-menu.exe\n"
    "[Content]\n"
    "MusicFiles=false\n"
    "[View]\n"
    "FontSize=16\n"
    "FontBold=1\n"
    "FontItalic=0\n"
    "FontActiveColor=3\n"
    "[0]\n"
    "Title=Sample Disc\n"
    "Prompt=Welcome! Point at an entry to read what it does.\n"
    "1=Read me first|readme.txt||Opens the notes.\\nRead them first.|The notes could not be "
    "opened.|\n"
    "2=Browse this disc|.||Opens the disc in a folder window.||\n"
    "3=Visit the web site|https://example.org/||Opens the web site.||\n"
    "4=Exit|||Closes this menu.||1\n"
    "[1]\n"
    "Title=\xCF\xF0\xE8\xEC\xE5\xF0\n"
    "1=\xC2\xFB\xF5\xEE\xE4|||||1\n");

TEST(CheckerGoodMedium, TellsWhatTheMenuDoesAndFindsNothingWrong) {
    TempFolder medium;
    medium.write("autorun.inf", kGoodMenu);
    medium.write("readme.txt", "Notes.\r\n");

    // Quoted with its final backslash, as authors write a folder: the backslash escapes the
    // closing quotation mark, so the checker gets the folder with a stray quotation mark.
    const CheckerRun run = runChecker("\"" + medium.path() + "\"");

    EXPECT_EQ(run.exitCode, 0u);
    for (const std::string& expected : std::vector<std::string>{
             "info: [View] FontSize: 16",
             "info: [View] FontActiveColor: 3 (maroon)",
             "info: [View] ShowNumbers: 1",
             "info: [0] 1: \"Read me first\" starts " + medium.path() +
                 "readme.txt, the menu stays open",
             "info: [0] 3: \"Visit the web site\" starts https://example.org/, the menu stays open",
             "info: [0] 4: \"Exit\" starts nothing, closes the menu",
             "info: [1]: Russian (1049) -> [1]",
         }) {
        EXPECT_NE(std::find(run.lines.begin(), run.lines.end(), expected), run.lines.end())
            << expected;
    }
    for (const std::string& line : run.lines) {
        EXPECT_EQ(line.rfind("info: ", 0), 0u) << line;
    }
}

struct Finding {
    const char* name;
    std::string menu;       // autorun.inf; a file "setup.exe" lies beside it
    std::string arguments;  // %MEDIUM% stands for the medium's folder, without a final backslash
    DWORD exitCode;
    std::vector<std::string> problems;  // every warning and error line, in order, by its start
};

void PrintTo(const Finding& finding, std::ostream* out) { *out << finding.name; }

// The folder without its final backslash, which would escape a closing quotation mark.
std::string folderArgument(const TempFolder& folder) {
    return folder.path().substr(0, folder.path().size() - 1);
}

std::vector<Finding> findings() {
    const std::string title = "[0]\nTitle=Disc\n";
    return {
        {"ViewValues",
         crlf(
             "[View]\nShowNumbers=0\nFontSize=big\nFontColour=2\nFontActiveColor=20\nFontBold=0\n" +
             title + "1=Setup|setup.exe||||\n"),
         "\"%MEDIUM%\"",
         1,
         {"warning: [View] ShowNumbers: \"0\" cannot switch this off",
          "warning: [View] FontSize: \"big\" does not read as a number above 0: it stays 13",
          "warning: [View] FontActiveColor: colour 20 is outside 1 to 17: it stays 10 (red)",
          "warning: [View] FontColour: the menu never reads this key (did you mean FontColor?)"}},
        {"Sections",
         crlf("[autorun.amd64]\nopen=x\n" + title +
              "1=Setup|setup.exe||||\nTitel=Disc\n[4]\nPrompt=P\n"
              "[01]\n[8]\n[Veiw]\n[0]\n"),
         "\"%MEDIUM%\\autorun.inf\"",
         1,
         {"warning: [0] Titel: the menu never reads this key (did you mean Title?)",
          "warning: [4]: Ukrainian (1058) -> [4] has no Title: [0] is used",
          "warning: [01]: the menu never reads this section: section names have no leading zero "
          "(did you mean [1]?)",
          "warning: [8]: the menu never reads this section: no language leads to section 8",
          "warning: [Veiw]: the menu never reads this section (did you mean [View]?)",
          "warning: [0]: given twice: the menu reads only the first"}},
        {"Entries",
         crlf(title + "Prompt=One\\nTwo\n1=Setup|setup.exe|\n" + "2=" + std::string(60, 'W') +
              "|setup.exe||||\n" + "3=Manual|docs\\manual.pdf||" +
              replaced(std::string(30, 'x'), "x", "line\\n") + "||\n" +
              "4=Install|setup.exe /auto||||\n5=|setup.exe||||yes\n"),
         "\"%MEDIUM%\"",
         2,
         {"warning: [0] Prompt: \\n is shown as written",
          "warning: [0] 1: only 3 fields: an entry needs five",
          "warning: [0] 2: caption with its number is ",
          "error: [0] 3: command docs\\manual.pdf: no such file on the medium "
          "(%MEDIUM%\\docs\\manual.pdf)",
          "warning: [0] 3: comment takes 30 lines in Arial 11 and the comment box shows ",
          "error: [0] 4: command setup.exe /auto: no such file on the medium (%MEDIUM%\\setup.exe "
          "/auto); "
          "parameters go into the third field: setup.exe|/auto",
          "warning: [0] 5: no caption: the entry is not shown, yet key 5 still starts it",
          "warning: [0] 5: close flag \"yes\" is not 1: the menu stays open"}},
        {"CutTexts",
         crlf("[0]\nTitle=" + std::string(300, 'T') + "\nPrompt=" + std::string(1100, 'P') +
              "\n1=Setup|setup.exe||" + std::string(1100, 'c') + "||\n"),
         "\"%MEDIUM%\"",
         1,
         {"warning: [0] Title: 300 characters: the menu takes only the first 259",
          "warning: [0] Prompt: 1100 characters: the menu takes only the first 1023",
          "warning: [0] Prompt: takes ",
          "warning: [0] 1: the line has 1119 characters: the menu reads only the first 1023",
          "warning: [0] 1: only 4 fields", "warning: [0] 1: comment takes "}},
        {"Commands",
         crlf(title +
              "1=Notepad|%WINDIR%\\notepad.exe||||\n2=Tool|%CHECKER_TEST_UNSET%\\tool.exe||||\n"
              "3=Setup|E:\\setup.exe||||\n4=Site|https://example.org/"
              "missing||||\n5=Share|\\\\server\\x||||\n"),
         "\"%MEDIUM%\"",
         1,
         {"warning: [0] 2: command %CHECKER_TEST_UNSET%\\tool.exe: not found here",
          "warning: [0] 3: command E:\\setup.exe: a fixed drive, started as written"}},
        // The entries of a section without a title are never shown: nothing to check there.
        {"Fallback",
         crlf(title + "1=Setup|setup.exe||||\n[1]\nPrompt=P\n1=Missing|missing.exe||||\n"),
         "\"%MEDIUM%\"",
         1,
         {"warning: [1]: Russian (1049) -> [1] has no Title: [0] is used"}},
        {"Utf8",
         crlf(title + "1=Caf\xC3\xA9|setup.exe||||\n"),
         "\"%MEDIUM%\"",
         1,
         {"warning: %MEDIUM%\\autorun.inf: written in UTF-8"}},
        {"NoEntriesNoZero",
         crlf("[2]\nTitle=Deutsch\n"),
         "\"%MEDIUM%\"",
         2,
         {"error: [0]: missing: English and every language without a titled section",
          "warning: [2]: no entries (keys 1 to 5): the menu shows none"}},
        {"NoMenuFile",
         "",
         "\"%MEDIUM%\\sub\"",
         2,
         {"error: %MEDIUM%\\sub\\: no autorun.inf in this folder"}},
        {"Quiet", crlf(title + "1=Manual|manual.pdf||||\n"), "--quiet \"%MEDIUM%\"", 2, {}},
        {"MenuInSubfolderWithoutRoot",
         "",
         "\"%MEDIUM%\\menu\"",
         2,
         {"error: [0] 1: command setup.exe: no such file on the medium "
          "(%MEDIUM%\\menu\\setup.exe)"}},
        {"MenuInSubfolderWithRoot", "", "--root \"%MEDIUM%\" \"%MEDIUM%\\menu\"", 0, {}},
    };
}

class CheckerFindings : public testing::TestWithParam<Finding> {};

TEST_P(CheckerFindings, ReportsEachProblemWithItsExitCode) {
    const Finding& finding = GetParam();
    TempFolder medium;
    medium.write("setup.exe", "");
    CreateDirectoryA((medium.path() + "sub").c_str(), nullptr);
    if (!finding.menu.empty()) medium.write("autorun.inf", finding.menu);
    // A menu in a subfolder whose command lies at the medium's root.
    CreateDirectoryA((medium.path() + "menu").c_str(), nullptr);
    medium.write("menu\\autorun.inf", crlf("[0]\nTitle=Disc\n1=Setup|setup.exe||||\n"));

    const CheckerRun run =
        runChecker(replaced(finding.arguments, "%MEDIUM%", folderArgument(medium)));

    EXPECT_EQ(run.exitCode, finding.exitCode);
    std::vector<std::string> problems;
    for (const std::string& line : run.lines) {
        if (line.rfind("info: ", 0) != 0) problems.push_back(line);
    }
    ASSERT_EQ(problems.size(), finding.problems.size()) << testing::PrintToString(run.lines);
    for (std::size_t i = 0; i < problems.size(); ++i) {
        const std::string expected =
            replaced(finding.problems[i], "%MEDIUM%", folderArgument(medium));
        EXPECT_EQ(problems[i].substr(0, expected.size()), expected);
    }
}

INSTANTIATE_TEST_SUITE_P(Media, CheckerFindings, testing::ValuesIn(findings()),
                         [](const testing::TestParamInfo<Finding>& param) {
                             return std::string(param.param.name);
                         });

TEST(CheckerMedium, MenuFileThatCannotBeReadIsAnError) {
    TempFolder medium;
    const std::string menu = medium.write("autorun.inf", "[0]\r\nTitle=Disc\r\n");
    // Held open without sharing, as another program can hold it.
    HANDLE held = CreateFileA(menu.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);

    const CheckerRun run = runChecker("\"" + menu + "\"");
    CloseHandle(held);

    EXPECT_EQ(run.exitCode, 2u);
    ASSERT_EQ(run.lines.size(), 1u);
    EXPECT_EQ(run.lines[0].rfind("error: " + menu + ": cannot be read: ", 0), 0u) << run.lines[0];
}

TEST(CheckerUsage, HelpAndWrongArguments) {
    const CheckerRun help = runChecker("--help");
    EXPECT_EQ(help.exitCode, 0u);
    ASSERT_FALSE(help.lines.empty());
    EXPECT_EQ(help.lines[0], "Usage: autorun-menu-check [--quiet] [--root DIR] MEDIUM");

    EXPECT_EQ(runChecker("").exitCode, 2u);
    EXPECT_EQ(runChecker("--frobnicate x").exitCode, 2u);
}

}  // namespace
