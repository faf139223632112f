// Findings about the menu file's sections and keys, as data: the line each place stands on,
// and what the checker says about the sections and keys the menu never reads.
#include "checker/section_check.h"

#include <gtest/gtest.h>

#include <iterator>
#include <string>
#include <vector>

#include "checker/menu_lines.h"
#include "checker/report.h"

namespace {

struct Said {
    std::string place;  // placeText
    std::string text;
};

std::vector<Said> saidIn(const Report& report) {
    std::vector<Said> said;
    for (const Finding& finding : report.findings()) {
        EXPECT_EQ(finding.severity, Severity::Warning) << finding.text;
        said.push_back({placeText(finding.place), finding.text});
    }
    return said;
}

bool operator==(const Said& a, const Said& b) { return a.place == b.place && a.text == b.text; }
void PrintTo(const Said& said, std::ostream* out) { *out << said.place << ": " << said.text; }

TEST(FindingPlaces, NameTheLineTheirSectionOrKeyStandsOn) {
    MenuLines lines;
    lines.read(
        "\xEF\xBB\xBF; The look\r\n"  // 1
        "[View]\r\n"                  // 2
        "  FontSize = 16\r\n"         // 3
        "\r\n"                        // 4
        "[0]\n"                       // 5
        "Title=Disc\n"                // 6
        "1=Setup|setup.exe||||\n"     // 7
        "just words\n"                // 8
        " [ 0 ] \n"                   // 9
        "Title=Again\n"               // 10
        "[view]\n"                    // 11
        "fontsize=1\n");              // 12
    Report report;
    report.setMenuFile("E:\\autorun.inf", &lines);
    report.setTextCodePage(1251);
    const struct {
        Place place;
        int line;
    } cases[] = {
        {keyPlace("View", "FontSize"), 3},
        {keyPlace("VIEW", "fontsize"), 3},
        {keyPlace("View", "FontSize", 1), 2},  // only the first section counts
        {sectionPlace("view", 1), 11},
        {keyPlace("View", "FontBold"), 2},  // a missing key belongs to its section's heading
        {sectionPlace("0"), 5},
        {sectionPlace("0", 1), 9},
        {keyPlace("0", "Title"), 6},
        {keyPlace("0", "1"), 7},
        {keyPlace("0", "just words"), 8},
        {sectionPlace("Missing"), 0},
        {keyPlace("Missing", "Title"), 0},
        {Place("E:\\setup.exe"), 0},
    };
    for (const auto& c : cases) report.warning(c.place, "text");
    ASSERT_EQ(report.findings().size(), std::size(cases));
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        const Finding& finding = report.findings()[i];
        EXPECT_EQ(finding.place.line, cases[i].line) << placeText(cases[i].place);
        EXPECT_EQ(finding.place.path,
                  cases[i].place.inMenuFile() ? "E:\\autorun.inf" : "E:\\setup.exe");
        EXPECT_EQ(finding.codePage, 1251u);
    }
}

TEST(SectionNames, TheSectionsTheMenuNeverReads) {
    const std::string never = "the menu never reads this section";
    const struct {
        std::vector<std::string> names;
        std::vector<Said> said;
    } cases[] = {
        {{"autorun", "View", "0", "1", "29", "autorun.amd64", "DeviceInstall", "Content"}, {}},
        // A section given twice: only Windows' own sections may be.
        {{"0", "1", "0"},
         {{"[0]",
           "given twice: the menu reads only the first, the keys of this one are never "
           "read"}}},
        {{"autorun", "AUTORUN"}, {}},
        {{"01", "00"},
         {{"[01]", never + ": section names have no leading zero (did you mean [1]?)"},
          {"[00]", never + ": section names have no leading zero (did you mean [0]?)"}}},
        {{"8", "25"},
         {{"[8]", never + ": no language leads to section 8"},
          {"[25]", never + ": no language leads to section 25"}}},
        {{"30", "12345678901"},
         {{"[30]", never + ": language sections are numbered 0 to 29"},
          {"[12345678901]", never + ": language sections are numbered 0 to 29"}}},
        {{"Veiw", "autorn", "Help"},
         {{"[Veiw]", never + " (did you mean [View]?)"},
          {"[autorn]", never + " (did you mean [autorun]?)"},
          {"[Help]", never + ": language sections are named by number, 0 to 29"}}},
    };
    for (const auto& c : cases) {
        Report report;
        checkSectionNames(c.names, report);
        EXPECT_EQ(saidIn(report), c.said) << testing::PrintToString(c.names);
    }
}

TEST(SectionKeys, TheKeysTheMenuNeverReads) {
    const std::string never = "the menu never reads this key";
    const struct {
        const char* section;
        bool language;
        std::vector<SectionLine> lines;
        std::vector<Said> said;
    } cases[] = {
        {"0", true, {{"Title", true}, {"Prompt", true}, {"1", true}, {"5", true}}, {}},
        {"0", true, {{"Titel", true}}, {{"[0] Titel", never + " (did you mean Title?)"}}},
        {"0",
         true,
         {{"Prompt", true}, {"PROMPT", true}},
         {{"[0] PROMPT", "given twice: the menu takes the first value"}}},
        {"0",
         true,
         {{"just words", false}},
         {{"[0] just words", "a line without '=': the menu reads nothing from it"}}},
        // Digits are entry keys, 1 to 5.
        {"2",
         true,
         {{"6", true}, {"01", true}, {"123", true}},
         {{"[2] 6", never + ": the entries are the keys 1 to 5"},
          {"[2] 01", never + " (did you mean 1?)"},
          {"[2] 123", never + ": the entries are the keys 1 to 5"}}},
        {"0", true, {{"Comment", true}}, {{"[0] Comment", never}}},
        {"View",
         false,
         {{"FontColour", true}, {"fontsize", true}, {"1", true}},
         {{"[View] FontColour", never + " (did you mean FontColor?)"}, {"[View] 1", never}}},
    };
    for (const auto& c : cases) {
        Report report;
        checkSectionKeys(c.section, c.language, c.lines, report);
        EXPECT_EQ(saidIn(report), c.said) << c.section;
    }
}

}  // namespace
