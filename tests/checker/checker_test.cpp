// The checker on medium folders, called as other programs call it: the findings as data.
#include <windows.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include "built_program.h"
#include "checker/medium_check.h"
#include "medium_drive.h"
#include "resources/resource_ids.h"
#include "state/launcher_state.h"
#include "test_files.h"
#include "utf16_text.h"

namespace {

std::string replaced(std::string text, const std::string& from, const std::string& to) {
    for (std::size_t at = text.find(from); at != std::string::npos;
         at = text.find(from, at + to.size())) {
        text.replace(at, from.size(), to);
    }
    return text;
}

std::string crlf(const std::string& text) { return replaced(text, "\n", "\r\n"); }

// The folder without its final backslash.
std::string folderOf(const TempFolder& folder) {
    return folder.path().substr(0, folder.path().size() - 1);
}

CheckResult check(const std::string& medium, const std::string& root = std::string()) {
    CheckOptions options;
    options.medium = medium;
    options.root = root;
    return checkMedium(options);
}

// A finding as the tables give it: its line (0 for none), severity, place ("[0] 1", "[View]"
// or a path; %MEDIUM% stands for the medium's folder, without its final backslash) and the
// start of its text.
struct Expected {
    int line;
    Severity severity;
    std::string place;
    std::string text;
};

}  // namespace

// Outside the anonymous namespace, where GoogleTest looks for it.
void PrintTo(const Finding& finding, std::ostream* out) {
    *out << finding.place.line << ": " << severityName(finding.severity) << ": "
         << placeText(finding.place) << ": " << finding.text;
}

namespace {

// The findings whose severity is one of `severities`.
std::vector<Finding> findingsOf(const CheckResult& result,
                                std::initializer_list<Severity> severities) {
    std::vector<Finding> found;
    for (const Finding& finding : result.findings) {
        if (std::find(severities.begin(), severities.end(), finding.severity) != severities.end())
            found.push_back(finding);
    }
    return found;
}

// The findings whose text holds `part`.
std::vector<Finding> findingsWith(const CheckResult& result, const std::string& part) {
    std::vector<Finding> found;
    for (const Finding& finding : result.findings) {
        if (finding.text.find(part) != std::string::npos) found.push_back(finding);
    }
    return found;
}

// True when `finding` is `expected` about the medium in `medium`, a place in the menu file
// being one in `result.menuFile`.
bool matches(const Finding& finding, const Expected& expected, const std::string& medium,
             const CheckResult& result) {
    const std::string place = replaced(expected.place, "%MEDIUM%", medium);
    const std::string text = replaced(expected.text, "%MEDIUM%", medium);
    return finding.place.line == expected.line && finding.severity == expected.severity &&
           placeText(finding.place) == place && finding.text.compare(0, text.size(), text) == 0 &&
           (!finding.place.inMenuFile() || finding.place.path == result.menuFile);
}

// `found`, findings of `result`, are `expected`, in order.
void expectFindings(const std::vector<Finding>& found, const std::vector<Expected>& expected,
                    const std::string& medium, const CheckResult& result) {
    ASSERT_EQ(found.size(), expected.size()) << testing::PrintToString(result.findings);
    for (std::size_t i = 0; i < found.size(); ++i) {
        EXPECT_TRUE(matches(found[i], expected[i], medium, result))
            << testing::PrintToString(found[i]) << "\nexpected: " << expected[i].line << ": "
            << severityName(expected[i].severity) << ": " << expected[i].place << ": "
            << expected[i].text;
    }
}

// `expected` is among the findings of `result`.
void expectFound(const CheckResult& result, const Expected& expected, const std::string& medium) {
    EXPECT_TRUE(std::any_of(
        result.findings.begin(), result.findings.end(),
        [&](const Finding& finding) { return matches(finding, expected, medium, result); }))
        << expected.place << ": " << expected.text << "\n"
        << testing::PrintToString(result.findings);
}

constexpr Severity kInfo = Severity::Info;
constexpr Severity kNote = Severity::Note;
constexpr Severity kWarning = Severity::Warning;
constexpr Severity kError = Severity::Error;

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
    resetLauncherState();
    launcherState.view.FontSize = 99;

    const CheckResult result = check(medium.path());

    EXPECT_TRUE(result.complete);
    EXPECT_EQ(result.menuFile, medium.path() + "autorun.inf");
    // The built menu is not signed, the one warning; its signed twin is checked in
    // tests/brand/signed_menu_test.cpp.
    EXPECT_EQ(exitCode(result.findings), 1);
    const std::string folder = folderOf(medium);
    for (const Expected& expected : std::vector<Expected>{
             {6, kInfo, "[View] FontSize", "16"},
             {9, kInfo, "[View] FontActiveColor", "3 (maroon)"},
             {5, kInfo, "[View] ShowNumbers", "1"},
             {13, kInfo, "[0] 1",
              "\"Read me first\" starts %MEDIUM%\\readme.txt, the menu stays open"},
             {15, kInfo, "[0] 3",
              "\"Visit the web site\" starts https://example.org/, the menu stays open"},
             {16, kInfo, "[0] 4", "\"Exit\" starts nothing, closes the menu"},
             {17, kInfo, "[1]", "Russian (1049) -> [1]"},
             {0, kInfo, "%MEDIUM%\\autorun-menu.exe",
              "the menu program: captions are measured on its 600 x 397 picture"},
         }) {
        expectFound(result, expected, folder);
    }
    // Russian texts in the code page of the Russian systems, as the menu there gets them.
    expectFound(result, {18, kInfo, "[1] Title", "\"\xCF\xF0\xE8\xEC\xE5\xF0\""}, folder);
    for (const Finding& finding : result.findings) {
        const std::string& section = finding.place.section;
        EXPECT_EQ(finding.codePage, section == "1"   ? 1251u
                                    : section == "0" ? 1252u
                                                     : kAnsiCodePage)
            << testing::PrintToString(finding);
    }
    // Nothing but infos, the note that the menu started from this folder would take the
    // root of its drive for the medium's root, the web address kept for examples, and the
    // unsigned program.
    expectFindings(
        findingsOf(result, {kNote, kWarning, kError}),
        {{0, kNote, "%MEDIUM%\\",
          "the menu started from this folder takes the root of its drive, " +
              medium.path().substr(0, 3)},
         {0, kWarning, "%MEDIUM%\\autorun-menu.exe",
          "the menu program is not signed: Smart App Control may block it"},
         {15, kNote, "[0] 3", "command https://example.org/: example.org is kept for examples"}},
        folder, result);
    // What the checks set up in the menu's state is gone again.
    EXPECT_EQ(launcherState.view.FontSize, 99);
    EXPECT_STREQ(launcherState.menuFilePath, "");
    for (const MenuItem* item : launcherState.menuItems) EXPECT_EQ(item, nullptr);
    resetLauncherState();
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
        std::string medium;
        std::string root;
        std::string note;  // empty: none
    } cases[] = {
        {root, "", ""},
        {root + "autorun.inf", "", ""},
        {root + "disc", root + "disc", ""},
        {root + "disc", "",
         "the menu started from this folder takes the root of its drive, " + root +
             ", for the medium's root"},
    };
    for (const auto& c : cases) {
        const CheckResult result = check(c.medium, c.root);
        std::vector<std::string> notes;
        for (const Finding& finding : findingsOf(result, {kNote})) {
            if (finding.text.find("the menu started from this folder") != std::string::npos) {
                EXPECT_EQ(finding.place.path, root + "disc\\");
                notes.push_back(finding.text.substr(0, c.note.size()));
            }
        }
        EXPECT_EQ(notes,
                  c.note.empty() ? std::vector<std::string>{} : std::vector<std::string>{c.note})
            << c.medium << " " << c.root;
        EXPECT_EQ(exitCode(result.findings), 0) << c.medium;
    }
}

struct MediumCase {
    const char* name;
    std::string menu;    // autorun.inf; a file "setup.exe" lies beside it
    std::string medium;  // %MEDIUM% stands for the medium's folder, without a final backslash
    int exitCode;
    std::vector<Expected> problems;  // every warning and error, in order
    std::vector<Expected> alsoFound = {};
    std::string root = {};  // the medium's root given, as with --root
};

void PrintTo(const MediumCase& medium, std::ostream* out) { *out << medium.name; }

std::vector<MediumCase> mediumCases() {
    const std::string title = "[0]\nTitle=Disc\n";
    const std::string menuFile = "%MEDIUM%\\autorun.inf";
    const std::string neither =
        "neither starts anything nor closes the menu: give it a command in the second field, or "
        "1 in the sixth to close the menu: ";
    return {
        {"ViewValues",
         // Comment and blank lines count as lines.
         crlf(
             "; The look\n\n[View]\nShowNumbers=0\nFontSize=big\nFontColour=2\nFontActiveColor=20\n"
             "FontBold=0\n" +
             title + "1=Setup|setup.exe||||\n"),
         "%MEDIUM%",
         1,
         {{4, kWarning, "[View] ShowNumbers", "\"0\" cannot switch this off"},
          {5, kWarning, "[View] FontSize",
           "\"big\" does not read as a number above 0: it stays 13"},
          {7, kWarning, "[View] FontActiveColor",
           "colour 20 is outside 1 to 17: it stays 10 (red)"},
          {6, kWarning, "[View] FontColour",
           "the menu never reads this key (did you mean FontColor?)"}}},
        {"Sections",
         crlf("[autorun.amd64]\nopen=x\n" + title +
              "1=Setup|setup.exe||||\nTitel=Disc\n[4]\n"
              "Prompt=P\n[Veiw]\n[0]\n"),
         menuFile,
         1,
         {{6, kWarning, "[0] Titel", "the menu never reads this key (did you mean Title?)"},
          {7, kWarning, "[4]", "Ukrainian (1058) -> [4] has no Title: [0] is used"},
          {9, kWarning, "[Veiw]", "the menu never reads this section (did you mean [View]?)"},
          {10, kWarning, "[0]", "given twice: the menu reads only the first"}}},
        {"Entries",
         crlf(title + "Prompt=One\\nTwo\n1=Setup|setup.exe|\n" + "2=" + std::string(60, 'W') +
              "|setup.exe||||\n" + "3=Manual|docs\\manual.pdf||" +
              replaced(std::string(30, 'x'), "x", "line\\n") + "||\n" +
              "4=Install|setup.exe /auto||||\n5=|setup.exe||||yes\n"),
         "%MEDIUM%",
         2,
         {{3, kWarning, "[0] Prompt", "\\n is shown as written"},
          {4, kWarning, "[0] 1", "only 3 fields: an entry needs five"},
          {5, kWarning, "[0] 2", "caption with its number is "},
          {6, kError, "[0] 3",
           "command docs\\manual.pdf: no such file on the medium (%MEDIUM%\\docs\\manual.pdf)"},
          {6, kWarning, "[0] 3", "comment takes 30 lines in Arial 11 and the comment box shows "},
          {7, kError, "[0] 4",
           "command setup.exe /auto: no such file on the medium (%MEDIUM%\\setup.exe /auto); "
           "parameters go into the third field: setup.exe|/auto"},
          {8, kWarning, "[0] 5", "no caption: the entry is not shown, yet key 5 still starts it"},
          {8, kWarning, "[0] 5", "close flag \"yes\" is not 1: the menu stays open"}}},
        {"CutTexts",
         crlf("[0]\nTitle=" + std::string(300, 'T') + "\nPrompt=" + std::string(1100, 'P') +
              "\n1=Setup|setup.exe||" + std::string(1100, 'c') + "||\n"),
         "%MEDIUM%",
         1,
         {{2, kWarning, "[0] Title", "300 characters: the menu takes only the first 259"},
          {3, kWarning, "[0] Prompt", "1100 characters: the menu takes only the first 1023"},
          {3, kWarning, "[0] Prompt", "takes "},
          {4, kWarning, "[0] 1",
           "the line has 1119 characters: the menu reads only the first 1023"},
          {4, kWarning, "[0] 1", "only 4 fields"},
          {4, kWarning, "[0] 1", "comment takes "}}},
        {"Commands",
         crlf(title +
              "1=Notepad|%WINDIR%\\notepad.exe||||\n2=Tool|%CHECKER_TEST_UNSET%\\tool.exe||||\n"
              "3=Setup|E:\\setup.exe||||\n4=Site|https://example.org/"
              "missing||||\n5=Share|\\\\server\\x||||\n"),
         "%MEDIUM%",
         1,
         {{4, kWarning, "[0] 2", "command %CHECKER_TEST_UNSET%\\tool.exe: not found here"},
          {5, kWarning, "[0] 3", "command E:\\setup.exe: a fixed drive, started as written"}}},
        // The entries of a section without a title are never shown: nothing to check there.
        {"Fallback",
         crlf(title + "1=Setup|setup.exe||||\n[1]\nPrompt=P\n1=Missing|missing.exe||||\n"),
         "%MEDIUM%",
         1,
         {{4, kWarning, "[1]", "Russian (1049) -> [1] has no Title: [0] is used"}}},
        {"Utf8",
         crlf(title + "1=Caf\xC3\xA9|setup.exe||||\n"),
         "%MEDIUM%",
         1,
         {{0, kWarning, menuFile, "written in UTF-8"}}},
        {"NoEntriesNoZero",
         crlf("[2]\nTitle=Deutsch\n"),
         "%MEDIUM%",
         2,
         {{0, kError, "[0]", "missing: English and every language without a titled section"},
          {1, kWarning, "[2]", "no entries (keys 1 to 5): the menu shows none"}}},
        {"NoMenuFile",
         "",
         "%MEDIUM%\\sub",
         2,
         {{0, kError, "%MEDIUM%\\sub\\", "no autorun.inf in this folder"}}},
        {"MenuInSubfolderWithoutRoot",
         "",
         "%MEDIUM%\\menu",
         2,
         {{3, kError, "[0] 1",
           "command setup.exe: no such file on the medium (%MEDIUM%\\menu\\setup.exe)"}}},
        {"MenuInSubfolderWithRoot", "", "%MEDIUM%\\menu", 0, {}, {}, "%MEDIUM%"},
        // What Windows reads to offer a program: each key checked against the medium.
        {"Autorun",
         crlf("[autorun]\nopen=missing.exe /x\nicon=setup.exe,3\nlabel=" + std::string(300, 'L') +
              "\naction=Start\n" + title + "1=Setup|setup.exe||||\n"),
         "%MEDIUM%",
         2,
         {{2, kError, "[autorun] open", "missing.exe: no such file on the medium"},
          {3, kWarning, "[autorun] icon", "setup.exe: neither an icon file nor a program"},
          {4, kWarning, "[autorun] label", "300 characters: Windows reads at most 259"}}},
        {"AutorunWithoutProgram",
         crlf("[autorun]\nlabel=Disc\nicon=C:\\disc.ico\n" + title + "1=Setup|setup.exe||||\n"),
         "%MEDIUM%",
         1,
         {{1, kWarning, "[autorun]", "neither open nor shellexecute"},
          {3, kWarning, "[autorun] icon", "C:\\disc.ico: a fixed drive or share"}}},
        // The comment colour against the comment box, as the medium sets them.
        {"CommentContrast",
         crlf("[View]\nFontCommentColor=13\nBkCommentColor=15\n" + title +
              "1=Setup|setup.exe||||\n"),
         "%MEDIUM%",
         1,
         {{2, kWarning, "[View] FontCommentColor",
           "comment text 13 (yellow) on the comment box 15 (white): contrast 1.0:1, below 3:1"}}},
        // Windows reads the UTF-8 mark as part of the first line, which then opens no section.
        {"Utf8WithMark",
         "\xEF\xBB\xBF" + crlf("[autorun]\nopen=setup.exe\n" + title + "1=Setup|setup.exe||||\n"),
         "%MEDIUM%",
         2,
         {{1, kError, "[autorun]",
           "Windows does not read this section: the file is saved as UTF-8 with a byte-order "
           "mark, which Windows takes for part of the first line"}}},
        // ANSI text to Windows, and checked as such.
        {"Utf16BigEndian",
         utf16Text(crlf(title + "1=Setup|setup.exe||||\n"), true, "\xFE\xFF"),
         "%MEDIUM%",
         2,
         {{0, kWarning, menuFile,
           "saved as UTF-16 big-endian: Windows reads only little-endian UTF-16 as Unicode"},
          {0, kError, "[0]", "missing"}}},
        {"Utf16WithoutMark",
         utf16Text(crlf(title + "1=Setup|setup.exe||||\n"), false),
         "%MEDIUM%",
         2,
         {{0, kError, menuFile,
           "UTF-16 text without a byte-order mark: Windows takes it for ANSI text"},
          {0, kError, "[0]", "missing"}}},
        {"TooLarge",
         crlf(title + "1=Setup|setup.exe||||\n") + std::string(16 * 1024 * 1024, ';'),
         "%MEDIUM%",
         2,
         {{0, kError, menuFile,
           "16777256 bytes: the checker reads menu files of at most 16 MiB (16777216 bytes)"}}},
        // Entries as authors write them that start nothing and close nothing.
        {"EntriesThatDoNothing",
         crlf(title + "1=Exit|||Closes this menu.|1\n2=Help\n3=Site|www.example.org||||\n"
                      "4=Quit|||||0\n5=Done|||||1\n"),
         "%MEDIUM%",
         2,
         {{3, kWarning, "[0] 1", neither + "1=Exit|||Closes this menu.||1"},
          {4, kWarning, "[0] 2", "only 1 field"},
          {4, kWarning, "[0] 2", neither + "2=Help|||||1"},
          {5, kError, "[0] 3", "command www.example.org: no such file on the medium"},
          {6, kWarning, "[0] 4", neither + "4=Quit|||||1"}},
         {{5, kNote, "[0] 3",
           "command www.example.org: the shell takes it for a file on the medium; a web address "
           "starts with its scheme: https://www.example.org"}}},
    };
}

class CheckerFindings : public testing::TestWithParam<MediumCase> {};

TEST_P(CheckerFindings, FindEachProblemWithItsPlaceAndLine) {
    const MediumCase& c = GetParam();
    TempFolder medium;
    medium.write("setup.exe", "");
    CreateDirectoryA((medium.path() + "sub").c_str(), nullptr);
    if (!c.menu.empty()) medium.write("autorun.inf", c.menu);
    // A menu in a subfolder whose command lies at the medium's root.
    CreateDirectoryA((medium.path() + "menu").c_str(), nullptr);
    medium.write("menu\\autorun.inf", crlf("[0]\nTitle=Disc\n1=Setup|setup.exe||||\n"));
    const std::string folder = folderOf(medium);

    const CheckResult result =
        check(replaced(c.medium, "%MEDIUM%", folder), replaced(c.root, "%MEDIUM%", folder));

    EXPECT_EQ(exitCode(result.findings), c.exitCode);
    expectFindings(findingsOf(result, {kWarning, kError}), c.problems, folder, result);
    for (const Expected& expected : c.alsoFound) expectFound(result, expected, folder);
}

INSTANTIATE_TEST_SUITE_P(Media, CheckerFindings, testing::ValuesIn(mediumCases()),
                         [](const testing::TestParamInfo<MediumCase>& param) {
                             return std::string(param.param.name);
                         });

TEST(CheckerMedium, MenuFileThatCannotBeReadIsAnError) {
    TempFolder medium;
    const std::string menu = medium.write("autorun.inf", "[0]\r\nTitle=Disc\r\n");
    // Held open without sharing, as another program can hold it.
    HANDLE held = CreateFileA(menu.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);

    const CheckResult result = check(menu);
    CloseHandle(held);

    EXPECT_FALSE(result.complete);
    expectFindings(result.findings, {{0, kError, menu, "cannot be read: "}}, "", result);
}

// On a PC whose ANSI code page is multi-byte the profile reader garbles texts of other code
// pages, so the checker names the sections it cannot judge there. Run by
// checker-tests.JapaneseSystem, with Wine on a Japanese system; elsewhere it skips itself.
TEST(CheckerOnMultiByteSystem, NamesTheSectionsItCannotJudge) {
    if (GetACP() != 932) GTEST_SKIP() << "the system's ANSI code page is " << GetACP();
    TempFolder medium;
    medium.write("setup.exe", "");
    medium.write("autorun.inf", utf16Text(crlf("[0]\nTitle=Sample Disc\n1=Setup|setup.exe||||\n"
                                               "[1]\nTitle=Пример диска\n1=Выход|||||1\n"
                                               "[22]\nTitle=Δίσκος\n1=Έξοδος|||||1\n"
                                               "[26]\nTitle=日本語\n1=終了|||||1\n"),
                                          false, "\xFF\xFE"));

    const CheckResult result = check(folderOf(medium));

    const std::string folder = folderOf(medium);
    expectFindings(findingsWith(result, "ANSI code page"),
                   {{0, kInfo, "%MEDIUM%\\autorun.inf",
                     "this PC's ANSI code page, 932, takes several bytes for a character, and the "
                     "profile reader hands every text through it: the texts of [1] (code page "
                     "1251), [22] (code page 1253) come out garbled here and cannot be judged"}},
                   folder, result);
    // The Japanese section reads as it does on the Japanese systems it is for.
    expectFound(result, {11, kInfo, "[26] Title", "\"\x93\xFA\x96\x7B\x8C\xEA\""}, folder);
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

    const CheckResult result = check(folderOf(medium));

    // Both caption colours of the one entry with a caption, and nothing for the empty one;
    // on random greys no colour of the table would do.
    const std::string noColour =
        "; no colour of the table keeps 4.5:1 behind every caption; a picture that is evenly "
        "light or evenly dark behind all the captions helps (brand the menu with one)";
    expectFindings(
        findingsOf(result, {kWarning}),
        {{0, kWarning, "%MEDIUM%\\start.exe", "the menu program is not signed"},
         {5, kWarning, "[0] 1", "caption in colour"},
         {5, kWarning, "[0] 1", "lit caption in colour"},
         {6, kWarning, "[0] 2", "no caption: the entry is not shown, yet key 2 still starts it"}},
        folderOf(medium), result);
    expectFound(result,
                {2, kNote, "[autorun] open",
                 "setup.exe is not the menu program (start.exe): inserting the medium does not "
                 "open the menu"},
                folderOf(medium));
    for (const Finding& finding : findingsWith(result, "caption in colour")) {
        EXPECT_EQ(finding.text.substr(finding.text.size() - noColour.size()), noColour);
        EXPECT_FALSE(finding.fix.has_value());
    }
    EXPECT_EQ(exitCode(result.findings), 1);
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

    const CheckResult result = check(folderOf(medium));

    // Black on white is all the contrast there is; red on white is below the advised 4.5:1,
    // and the darker colours of the table would do.
    const std::vector<Finding> found = findingsWith(result, "caption in colour");
    expectFindings(found,
                   {{3, kNote, "[0] 1",
                     "lit caption in colour 10 (red) on the picture behind it, around "
                     "(255,255,255): contrast 3.9:1, below the 4.5:1 advised for text; colours "
                     "of the table that keep 4.5:1 behind every caption: 1, 2, 3, 4, 5, 6, 7"}},
                   folderOf(medium), result);
    ASSERT_EQ(found.size(), 1u);
    ASSERT_TRUE(found[0].fix.has_value());
    EXPECT_EQ(found[0].fix->section, "View");
    EXPECT_EQ(found[0].fix->key, "FontActiveColor");
    EXPECT_EQ(found[0].fix->values, (std::vector<std::string>{"1", "2", "3", "4", "5", "6", "7"}));
}

}  // namespace
