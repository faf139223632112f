// The built checker run as a process on medium folders: what it prints and its exit code.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "built_program.h"
#include "checker/contrast.h"
#include "config/language.h"
#include "medium_drive.h"
#include "resources/resource_ids.h"
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

// The severity of an output line: "info", "note", "warning" or "error"; empty for none.
std::string severity(const std::string& line) {
    std::size_t first = std::string::npos;
    std::string found;
    for (const char* name : {"info", "note", "warning", "error"}) {
        const std::size_t at = line.find(std::string(": ") + name + ": ");
        if (at < first) {
            first = at;
            found = name;
        }
    }
    return found;
}

// `text` (UTF-8) as UTF-16 of either byte order behind `mark`.
std::string utf16Text(const std::string& text, bool bigEndian, const std::string& mark) {
    const int length =
        MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), &wide[0], length);
    std::string bytes = mark;
    for (wchar_t unit : wide) {
        const char low = static_cast<char>(unit & 0xFF);
        const char high = static_cast<char>(unit >> 8 & 0xFF);
        bytes += bigEndian ? std::string{high, low} : std::string{low, high};
    }
    return bytes;
}

// `text` (UTF-8) as a UTF-16 file with its byte-order mark, as Notepad saves "Unicode".
std::string utf16File(const std::string& text) { return utf16Text(text, false, "\xFF\xFE"); }

// The folder without its final backslash, which would escape a closing quotation mark.
std::string folderArgument(const TempFolder& folder) {
    return folder.path().substr(0, folder.path().size() - 1);
}

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
    // The program [autorun] names, with the built-in picture the captions are measured on.
    ASSERT_TRUE(copyProgram(builtProgramPath(), medium.path() + "autorun-menu.exe"));

    // Quoted with its final backslash, as authors write a folder: the backslash escapes the
    // closing quotation mark, so the checker gets the folder with a stray quotation mark.
    const CheckerRun run = runChecker("\"" + medium.path() + "\"");

    EXPECT_EQ(run.exitCode, 0u);
    const std::string file = medium.path() + "autorun.inf:";
    for (const std::string& expected : std::vector<std::string>{
             file + "6: info: [View] FontSize: 16",
             file + "9: info: [View] FontActiveColor: 3 (maroon)",
             file + "5: info: [View] ShowNumbers: 1",
             file + "13: info: [0] 1: \"Read me first\" starts " + medium.path() +
                 "readme.txt, the menu stays open",
             file + "15: info: [0] 3: \"Visit the web site\" starts https://example.org/, the menu "
                    "stays open",
             file + "16: info: [0] 4: \"Exit\" starts nothing, closes the menu",
             file + "17: info: [1]: Russian (1049) -> [1]",
             // Russian, written in code page 1251, printed as UTF-8 through the pipe.
             file + "18: info: [1] Title: \"\xD0\x9F\xD1\x80\xD0\xB8\xD0\xBC\xD0\xB5\xD1\x80\"",
         }) {
        EXPECT_NE(std::find(run.lines.begin(), run.lines.end(), expected), run.lines.end())
            << expected;
    }
    // The folder lies in the temporary folder, and the menu started from there would take
    // the root of that drive for the medium's root.
    const std::string startingNote =
        medium.path() + ": note: the menu started from this folder takes the root of its drive, " +
        medium.path().substr(0, 3) +
        ", for the medium's root, and starts relative commands there; to try it as the medium "
        "will be, map this folder to a drive letter (subst E: \"" +
        folderArgument(medium) + "\") or mount an image of the medium";
    for (const std::string& line : run.lines)
        EXPECT_EQ(severity(line), line == startingNote ? "note" : "info") << line;
    EXPECT_EQ(std::count(run.lines.begin(), run.lines.end(), startingNote), 1);
}

// Only a folder that is not the root of its drive or share gets the note, and only when no
// --root names the medium's root.
TEST(CheckerStartingFolder, TheMenuTakesTheRootOfItsDrive) {
    MediumDrive drive;
    ASSERT_FALSE(drive.root().empty());
    drive.write("autorun.inf", crlf("[0]\nTitle=Disc\n1=Setup|setup.exe||||\n"));
    drive.write("setup.exe", "");
    drive.write("disc\\autorun.inf", crlf("[0]\nTitle=Disc\n1=Setup|setup.exe||||\n"));
    drive.write("disc\\setup.exe", "");
    const std::string root = drive.root();
    const struct {
        std::string arguments;
        std::string note;  // empty: none
    } cases[] = {
        {root, ""},
        {root + "autorun.inf", ""},
        {"--root " + root + "disc " + root + "disc", ""},
        {root + "disc", root +
                            "disc\\: note: the menu started from this folder takes the root "
                            "of its drive, " +
                            root + ", for the medium's root"},
    };
    for (const auto& c : cases) {
        const CheckerRun run = runChecker(c.arguments);
        std::vector<std::string> notes;
        for (const std::string& line : run.lines) {
            if (line.find("the menu started from this folder") != std::string::npos)
                notes.push_back(line.substr(0, c.note.size()));
        }
        EXPECT_EQ(notes,
                  c.note.empty() ? std::vector<std::string>{} : std::vector<std::string>{c.note})
            << c.arguments << "\n"
            << testing::PrintToString(run.lines);
        EXPECT_EQ(run.exitCode, 0u) << c.arguments;
    }
}

struct Finding {
    const char* name;
    std::string menu;       // autorun.inf; a file "setup.exe" lies beside it
    std::string arguments;  // %MEDIUM% stands for the medium's folder, without a final backslash
    DWORD exitCode;
    // Every warning and error line, in order, by its start. %FILE% stands for the menu file.
    std::vector<std::string> problems;
    // Lines that must be among the rest (notes and infos), by their start.
    std::vector<std::string> alsoPrinted = {};
};

void PrintTo(const Finding& finding, std::ostream* out) { *out << finding.name; }

std::vector<Finding> findings() {
    const std::string title = "[0]\nTitle=Disc\n";
    return {
        {"ViewValues",
         // Comment and blank lines count as lines.
         crlf(
             "; The look\n\n[View]\nShowNumbers=0\nFontSize=big\nFontColour=2\nFontActiveColor=20\n"
             "FontBold=0\n" +
             title + "1=Setup|setup.exe||||\n"),
         "\"%MEDIUM%\"",
         1,
         {"%FILE%:4: warning: [View] ShowNumbers: \"0\" cannot switch this off",
          "%FILE%:5: warning: [View] FontSize: \"big\" does not read as a number above 0: it "
          "stays 13",
          "%FILE%:7: warning: [View] FontActiveColor: colour 20 is outside 1 to 17: it stays 10 "
          "(red)",
          "%FILE%:6: warning: [View] FontColour: the menu never reads this key (did you mean "
          "FontColor?)"}},
        {"Sections",
         crlf("[autorun.amd64]\nopen=x\n" + title +
              "1=Setup|setup.exe||||\nTitel=Disc\n[4]\nPrompt=P\n"
              "[01]\n[8]\n[Veiw]\n[0]\n"),
         "\"%MEDIUM%\\autorun.inf\"",
         1,
         {"%FILE%:6: warning: [0] Titel: the menu never reads this key (did you mean Title?)",
          "%FILE%:7: warning: [4]: Ukrainian (1058) -> [4] has no Title: [0] is used",
          "%FILE%:9: warning: [01]: the menu never reads this section: section names have no "
          "leading zero (did you mean [1]?)",
          "%FILE%:10: warning: [8]: the menu never reads this section: no language leads to "
          "section 8",
          "%FILE%:11: warning: [Veiw]: the menu never reads this section (did you mean [View]?)",
          "%FILE%:12: warning: [0]: given twice: the menu reads only the first"}},
        {"Entries",
         crlf(title + "Prompt=One\\nTwo\n1=Setup|setup.exe|\n" + "2=" + std::string(60, 'W') +
              "|setup.exe||||\n" + "3=Manual|docs\\manual.pdf||" +
              replaced(std::string(30, 'x'), "x", "line\\n") + "||\n" +
              "4=Install|setup.exe /auto||||\n5=|setup.exe||||yes\n"),
         "\"%MEDIUM%\"",
         2,
         {"%FILE%:3: warning: [0] Prompt: \\n is shown as written",
          "%FILE%:4: warning: [0] 1: only 3 fields: an entry needs five",
          "%FILE%:5: warning: [0] 2: caption with its number is ",
          "%FILE%:6: error: [0] 3: command docs\\manual.pdf: no such file on the medium "
          "(%MEDIUM%\\docs\\manual.pdf)",
          "%FILE%:6: warning: [0] 3: comment takes 30 lines in Arial 11 and the comment box shows ",
          "%FILE%:7: error: [0] 4: command setup.exe /auto: no such file on the medium "
          "(%MEDIUM%\\setup.exe /auto); parameters go into the third field: setup.exe|/auto",
          "%FILE%:8: warning: [0] 5: no caption: the entry is not shown, yet key 5 still starts it",
          "%FILE%:8: warning: [0] 5: close flag \"yes\" is not 1: the menu stays open"}},
        {"CutTexts",
         crlf("[0]\nTitle=" + std::string(300, 'T') + "\nPrompt=" + std::string(1100, 'P') +
              "\n1=Setup|setup.exe||" + std::string(1100, 'c') + "||\n"),
         "\"%MEDIUM%\"",
         1,
         {"%FILE%:2: warning: [0] Title: 300 characters: the menu takes only the first 259",
          "%FILE%:3: warning: [0] Prompt: 1100 characters: the menu takes only the first 1023",
          "%FILE%:3: warning: [0] Prompt: takes ",
          "%FILE%:4: warning: [0] 1: the line has 1119 characters: the menu reads only the first "
          "1023",
          "%FILE%:4: warning: [0] 1: only 4 fields", "%FILE%:4: warning: [0] 1: comment takes "}},
        {"Commands",
         crlf(title +
              "1=Notepad|%WINDIR%\\notepad.exe||||\n2=Tool|%CHECKER_TEST_UNSET%\\tool.exe||||\n"
              "3=Setup|E:\\setup.exe||||\n4=Site|https://example.org/"
              "missing||||\n5=Share|\\\\server\\x||||\n"),
         "\"%MEDIUM%\"",
         1,
         {"%FILE%:4: warning: [0] 2: command %CHECKER_TEST_UNSET%\\tool.exe: not found here",
          "%FILE%:5: warning: [0] 3: command E:\\setup.exe: a fixed drive, started as written"}},
        // The entries of a section without a title are never shown: nothing to check there.
        {"Fallback",
         crlf(title + "1=Setup|setup.exe||||\n[1]\nPrompt=P\n1=Missing|missing.exe||||\n"),
         "\"%MEDIUM%\"",
         1,
         {"%FILE%:4: warning: [1]: Russian (1049) -> [1] has no Title: [0] is used"}},
        {"Utf8",
         crlf(title + "1=Caf\xC3\xA9|setup.exe||||\n"),
         "\"%MEDIUM%\"",
         1,
         {"%FILE%: warning: written in UTF-8"}},
        {"NoEntriesNoZero",
         crlf("[2]\nTitle=Deutsch\n"),
         "\"%MEDIUM%\"",
         2,
         {"%FILE%: error: [0]: missing: English and every language without a titled section",
          "%FILE%:1: warning: [2]: no entries (keys 1 to 5): the menu shows none"}},
        {"NoMenuFile",
         "",
         "\"%MEDIUM%\\sub\"",
         2,
         {"%MEDIUM%\\sub\\: error: no autorun.inf in this folder"}},
        {"Quiet", crlf(title + "1=Manual|manual.pdf||||\n"), "--quiet \"%MEDIUM%\"", 2, {}},
        {"MenuInSubfolderWithoutRoot",
         "",
         "\"%MEDIUM%\\menu\"",
         2,
         {"%MEDIUM%\\menu\\autorun.inf:3: error: [0] 1: command setup.exe: no such file on the "
          "medium (%MEDIUM%\\menu\\setup.exe)"}},
        {"MenuInSubfolderWithRoot", "", "--root \"%MEDIUM%\" \"%MEDIUM%\\menu\"", 0, {}},
        // What Windows reads to offer a program: each key checked against the medium.
        {"Autorun",
         crlf("[autorun]\nopen=missing.exe /x\nicon=setup.exe,3\nlabel=" + std::string(300, 'L') +
              "\naction=Start\n" + title + "1=Setup|setup.exe||||\n"),
         "\"%MEDIUM%\"",
         2,
         {"%FILE%:2: error: [autorun] open: missing.exe: no such file on the medium",
          "%FILE%:3: warning: [autorun] icon: setup.exe: neither an icon file nor a program",
          "%FILE%:4: warning: [autorun] label: 300 characters: Windows reads at most 259"}},
        {"AutorunWithoutProgram",
         crlf("[autorun]\nlabel=Disc\nicon=C:\\disc.ico\n" + title + "1=Setup|setup.exe||||\n"),
         "\"%MEDIUM%\"",
         1,
         {"%FILE%:1: warning: [autorun]: neither open nor shellexecute",
          "%FILE%:3: warning: [autorun] icon: C:\\disc.ico: a fixed drive or share"}},
        // The comment colour against the comment box: below 3:1 a warning.
        {"CommentContrast",
         crlf("[View]\nFontCommentColor=13\nBkCommentColor=15\n" + title +
              "1=Setup|setup.exe||||\n"),
         "\"%MEDIUM%\"",
         1,
         {"%FILE%:2: warning: [View] FontCommentColor: comment text 13 (yellow) on the comment box "
          "15 (white): contrast 1.0:1, below 3:1"}},
        // Windows reads the UTF-8 mark as part of the first line, which then opens no section.
        {"Utf8WithMark",
         "\xEF\xBB\xBF" + crlf("[autorun]\nopen=setup.exe\n" + title + "1=Setup|setup.exe||||\n"),
         "\"%MEDIUM%\"",
         2,
         {"%FILE%:1: error: [autorun]: Windows does not read this section: the file is saved as "
          "UTF-8 with a byte-order mark, which Windows takes for part of the first line"}},
        // ANSI text to Windows, and checked as such.
        {"Utf16BigEndian",
         utf16Text(crlf(title + "1=Setup|setup.exe||||\n"), true, "\xFE\xFF"),
         "\"%MEDIUM%\"",
         2,
         {"%FILE%: warning: saved as UTF-16 big-endian: Windows reads only little-endian UTF-16 as "
          "Unicode",
          "%FILE%: error: [0]: missing"}},
        {"Utf16WithoutMark",
         utf16Text(crlf(title + "1=Setup|setup.exe||||\n"), false, ""),
         "\"%MEDIUM%\"",
         2,
         {"%FILE%: error: UTF-16 text without a byte-order mark: Windows takes it for ANSI text",
          "%FILE%: error: [0]: missing"}},
        {"TooLarge",
         crlf(title + "1=Setup|setup.exe||||\n") + std::string(16 * 1024 * 1024, ';'),
         "\"%MEDIUM%\"",
         2,
         {"%FILE%: error: 16777256 bytes: the checker reads menu files of at most 16 MiB "
          "(16777216 bytes)"}},
        // Entries as authors write them that start nothing and close nothing.
        {"EntriesThatDoNothing",
         crlf(title + "1=Exit|||Closes this menu.|1\n2=Help\n3=Site|www.example.org||||\n"
                      "4=Quit|||||0\n5=Done|||||1\n"),
         "\"%MEDIUM%\"",
         2,
         {"%FILE%:3: warning: [0] 1: neither starts anything nor closes the menu: give it a "
          "command in the second field, or 1 in the sixth to close the menu: "
          "1=Exit|||Closes this menu.||1",
          "%FILE%:4: warning: [0] 2: only 1 field",
          "%FILE%:4: warning: [0] 2: neither starts anything nor closes the menu: give it a "
          "command in the second field, or 1 in the sixth to close the menu: 2=Help|||||1",
          "%FILE%:5: error: [0] 3: command www.example.org: no such file on the medium",
          "%FILE%:6: warning: [0] 4: neither starts anything nor closes the menu: give it a "
          "command in the second field, or 1 in the sixth to close the menu: 4=Quit|||||1"},
         {"%FILE%:5: note: [0] 3: command www.example.org: the shell takes it for a file on the "
          "medium; a web address starts with its scheme: https://www.example.org"}},
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
        if (severity(line) == "warning" || severity(line) == "error") problems.push_back(line);
    }
    const auto expanded = [&medium](const std::string& line) {
        return replaced(replaced(line, "%FILE%", "%MEDIUM%\\autorun.inf"), "%MEDIUM%",
                        folderArgument(medium));
    };
    ASSERT_EQ(problems.size(), finding.problems.size()) << testing::PrintToString(run.lines);
    for (std::size_t i = 0; i < problems.size(); ++i) {
        const std::string expected = expanded(finding.problems[i]);
        EXPECT_EQ(problems[i].substr(0, expected.size()), expected);
    }
    for (const std::string& line : finding.alsoPrinted) {
        const std::string expected = expanded(line);
        EXPECT_NE(std::find_if(run.lines.begin(), run.lines.end(),
                               [&expected](const std::string& printed) {
                                   return printed.rfind(expected, 0) == 0;
                               }),
                  run.lines.end())
            << expected << "\n"
            << testing::PrintToString(run.lines);
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
    EXPECT_EQ(run.lines[0].rfind(menu + ": error: cannot be read: ", 0), 0u) << run.lines[0];
}

// One menu file for every language, saved as UTF-16: each section is judged in the code
// page of its own systems, and a character that code page lacks is named.
TEST(CheckerUtf16, JudgesEachSectionInItsSystemsCodePage) {
    TempFolder medium;
    medium.write("setup.exe", "");
    medium.write("autorun.inf", utf16File(crlf("[0]\nTitle=Sample Disc\n1=Setup|setup.exe||||\n"
                                               "[1]\nTitle=Пример диска\n1=Выход|||||1\n"
                                               "[15]\nTitle=Płyta próbna\n1=Wyjście|||||1\n"
                                               "[22]\nTitle=Δίσκος\n1=Έξοδος ж ж ł|||||1\n")));

    const CheckerRun run = runChecker("\"" + folderArgument(medium) + "\"");

    EXPECT_EQ(run.exitCode, 1u);
    const std::string file = medium.path() + "autorun.inf:";
    for (const std::string& expected : std::vector<std::string>{
             file + "5: info: [1] Title: \"Пример диска\"",
             file + "6: info: [1] 1: \"Выход\" starts nothing, closes the menu",
             file + "8: info: [15] Title: \"Płyta próbna\"",
             file + "11: info: [22] Title: \"Δίσκος\"",
             // The menu on a Greek system gets "?" for the Cyrillic and Polish letters.
             file + "12: info: [22] 1: \"Έξοδος ? ? ?\" starts nothing, closes the menu",
         }) {
        EXPECT_NE(std::find(run.lines.begin(), run.lines.end(), expected), run.lines.end())
            << expected << "\n"
            << testing::PrintToString(run.lines);
    }
    std::vector<std::string> problems;
    for (const std::string& line : run.lines) {
        if (severity(line) == "warning" || severity(line) == "error") problems.push_back(line);
    }
    EXPECT_EQ(problems, std::vector<std::string>{
                            file + "12: warning: [22] 1: code page 1253 of this section's systems "
                                   "has no \"ж\" (U+0436), \"ł\" (U+0142): the menu shows \"?\" "
                                   "instead"});
}

// On a PC whose ANSI code page is multi-byte the profile reader garbles texts of other code
// pages, so the checker names the sections it cannot judge there. Run by
// checker-tests.JapaneseSystem, with Wine on a Japanese system; elsewhere it skips itself.
TEST(CheckerOnMultiByteSystem, NamesTheSectionsItCannotJudge) {
    if (GetACP() != 932) GTEST_SKIP() << "the system's ANSI code page is " << GetACP();
    TempFolder medium;
    medium.write("setup.exe", "");
    medium.write("autorun.inf", utf16File(crlf("[0]\nTitle=Sample Disc\n1=Setup|setup.exe||||\n"
                                               "[1]\nTitle=Пример диска\n1=Выход|||||1\n"
                                               "[22]\nTitle=Δίσκος\n1=Έξοδος|||||1\n"
                                               "[26]\nTitle=日本語\n1=終了|||||1\n")));

    const CheckerRun run = runChecker("\"" + folderArgument(medium) + "\"");

    const std::string expected =
        medium.path() +
        "autorun.inf: info: this PC's ANSI code page, 932, takes several bytes for a character, "
        "and the profile reader hands every text through it: the texts of [1] (code page 1251), "
        "[22] (code page 1253) come out garbled here and cannot be judged";
    std::vector<std::string> found;
    for (const std::string& line : run.lines) {
        if (line.find("ANSI code page") != std::string::npos)
            found.push_back(line.substr(0, expected.size()));
    }
    EXPECT_EQ(found, std::vector<std::string>{expected}) << testing::PrintToString(run.lines);
    // The Japanese section reads as it does on the Japanese systems it is for.
    EXPECT_NE(std::find(run.lines.begin(), run.lines.end(),
                        medium.path() + "autorun.inf:11: info: [26] Title: \"日本語\""),
              run.lines.end())
        << testing::PrintToString(run.lines);
}

// A packed 8-bit bitmap of the menu's size whose every pixel is a random grey: a picture as
// busy as a photo, the same on every run.
std::string busyPicture() {
    const int width = 600;
    const int height = 397;
    const int stride = 600;
    BITMAPINFOHEADER header = {};
    header.biSize = sizeof header;
    header.biWidth = width;
    header.biHeight = height;
    header.biPlanes = 1;
    header.biBitCount = 8;
    header.biCompression = BI_RGB;
    header.biClrUsed = 256;
    std::string bytes(reinterpret_cast<const char*>(&header), sizeof header);
    for (int i = 0; i < 256; ++i) {
        const RGBQUAD grey = {static_cast<BYTE>(i), static_cast<BYTE>(i), static_cast<BYTE>(i), 0};
        bytes.append(reinterpret_cast<const char*>(&grey), sizeof grey);
    }
    std::uint32_t seed = 12345;
    for (int i = 0; i < stride * height; ++i) {
        seed = seed * 1103515245u + 12345u;
        bytes.push_back(static_cast<char>(seed >> 16 & 0xFF));
    }
    return bytes;
}

// A copy of the menu program with `picture` in place of its own, as an author's own build.
bool writeMenuProgramWith(const std::string& path, const std::string& picture) {
    if (!copyProgram(builtProgramPath(), path)) return false;
    HANDLE update = BeginUpdateResourceA(path.c_str(), FALSE);
    if (update == nullptr) return false;
    std::string data = picture;
    const bool ok = UpdateResourceA(update, RT_BITMAP, MAKEINTRESOURCEA(IDB_BACKGROUND),
                                    MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL), &data[0],
                                    static_cast<DWORD>(data.size())) != 0;
    return EndUpdateResourceA(update, !ok) != 0 && ok;
}

TEST(CheckerContrast, CaptionsOnABusyPictureAreHardToRead) {
    TempFolder medium;
    medium.write("setup.exe", "");
    // Under any name: the program that carries the menu's picture is the menu.
    ASSERT_TRUE(writeMenuProgramWith(medium.path() + "start.exe", busyPicture()));
    medium.write("autorun.inf", crlf("[autorun]\nopen=setup.exe\n[0]\nTitle=Disc\n"
                                     "1=Setup|setup.exe||||\n2=|setup.exe||||\n"));

    const CheckerRun run = runChecker("\"" + folderArgument(medium) + "\"");

    const std::string file = medium.path() + "autorun.inf:";
    std::vector<std::string> problems;
    for (const std::string& line : run.lines) {
        if (severity(line) != "info" &&
            line.find("the menu started from this folder") == std::string::npos)
            problems.push_back(line.substr(0, line.find(" in colour")));
    }
    // Both caption colours of the one entry with a caption, and nothing for the empty one.
    EXPECT_EQ(problems,
              (std::vector<std::string>{
                  file + "2: note: [autorun] open: setup.exe is not the menu program "
                         "(start.exe): inserting the medium does not open the menu",
                  file + "5: warning: [0] 1: caption", file + "5: warning: [0] 1: lit caption",
                  file + "6: warning: [0] 2: no caption: the entry is not shown, yet key "
                         "2 still starts it"}))
        << testing::PrintToString(run.lines);
    EXPECT_EQ(run.exitCode, 1u);
}

// A white 24-bit picture, rows from the top, that declares a colour table of 65536 black
// entries: a table such a picture need not have, but which stands before its pixels.
std::string whitePictureWithColourTable() {
    BITMAPINFOHEADER header = {};
    header.biSize = sizeof header;
    header.biWidth = 600;
    header.biHeight = -397;
    header.biPlanes = 1;
    header.biBitCount = 24;
    header.biCompression = BI_RGB;
    header.biClrUsed = 65536;
    std::string bytes(reinterpret_cast<const char*>(&header), sizeof header);
    bytes.append(header.biClrUsed * sizeof(RGBQUAD), '\0');
    bytes.append(static_cast<std::size_t>(600 * 3) * 397, '\xFF');
    return bytes;
}

TEST(CheckerContrast, PixelsAreReadAfterTheColourTable) {
    TempFolder medium;
    medium.write("setup.exe", "");
    ASSERT_TRUE(writeMenuProgramWith(medium.path() + "start.exe", whitePictureWithColourTable()));
    medium.write("autorun.inf", crlf("[0]\nTitle=Disc\n1=Setup|setup.exe||||\n"));

    const CheckerRun run = runChecker("\"" + folderArgument(medium) + "\"");

    // Black on white is all the contrast there is; red on white is below the advised 4.5:1.
    std::vector<std::string> captions;
    for (const std::string& line : run.lines) {
        if (line.find("caption in colour") != std::string::npos) captions.push_back(line);
    }
    EXPECT_EQ(captions,
              std::vector<std::string>{
                  medium.path() +
                  "autorun.inf:3: note: [0] 1: lit caption in colour 10 (red) on the picture "
                  "behind it, around (255,255,255): contrast 3.9:1, below the 4.5:1 advised for "
                  "text"})
        << testing::PrintToString(run.lines);
}

TEST(Contrast, WcagRatiosOfTheMenusColours) {
    const struct {
        std::uint32_t text, background;
        double ratio;
    } cases[] = {
        {0x000000, 0xFFFFFF, 21.0},  // black on white
        {0x0000FF, 0xFFFFFF, 4.0},   // red on white
        {0x777777, 0xFFFFFF, 4.48},  // the usual limit of grey on white
        {0x00FFFF, 0xFFFFFF, 1.07},  // yellow on white
        {0x7F0000, 0x7F0000, 1.0},   // navy on itself
    };
    for (const auto& c : cases) {
        EXPECT_NEAR(contrastRatio(c.text, c.background), c.ratio, 0.01) << std::hex << c.text;
        EXPECT_NEAR(contrastRatio(c.background, c.text), c.ratio, 0.01) << std::hex << c.text;
    }
}

// Of the pixels behind a text, the 5 % most like its colour are let go, and no more.
TEST(Contrast, AFewSpecksDoNotCountButMoreDo) {
    const struct {
        int darkPixels;  // of 100 white ones made black
        double ratio;    // of black text on them
    } cases[] = {{0, 21.0}, {4, 21.0}, {5, 21.0}, {6, 1.0}, {100, 1.0}};
    for (const auto& c : cases) {
        Picture picture;
        picture.width = 10;
        picture.height = 10;
        picture.pixels.assign(100, 0xFFFFFF);
        for (int i = 0; i < c.darkPixels; ++i)
            picture.pixels[static_cast<std::size_t>(i) * 7 % 100] = 0;
        const Backdrop backdrop = textContrast(picture, 0, 0, 10, 10, 0x000000, 0.05);
        EXPECT_TRUE(backdrop.measured);
        EXPECT_NEAR(backdrop.ratio, c.ratio, 0.01) << c.darkPixels;
    }
    // Outside the picture there is nothing to measure.
    EXPECT_FALSE(textContrast(Picture(), 0, 0, 10, 10, 0, 0.05).measured);
}

TEST(CheckerUsage, HelpAndWrongArguments) {
    const CheckerRun help = runChecker("--help");
    EXPECT_EQ(help.exitCode, 0u);
    ASSERT_FALSE(help.lines.empty());
    EXPECT_EQ(help.lines[0],
              "Usage: autorun-menu-check [--quiet] [--root DIR] [--menu PROGRAM] MEDIUM");

    EXPECT_EQ(runChecker("").exitCode, 2u);
    EXPECT_EQ(runChecker("--frobnicate x").exitCode, 2u);
}

}  // namespace
