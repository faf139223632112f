// The editor's findings on their way from the check's process: the bytes they travel as,
// taken back whole or not at all, the command line that starts the check, and the paths
// told about the real menu file.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "editor/findings/findings_command.h"
#include "editor/findings/findings_result.h"
#include "editor/findings/findings_wire.h"

namespace {

using namespace std::string_literals;

// Every field of `result`, so that two results compare field by field.
std::string describe(const CheckResult& result) {
    std::string text = std::to_string(result.complete) + "|" + result.menuFile + "\n";
    for (const Finding& f : result.findings) {
        text += std::to_string(static_cast<int>(f.severity)) + "|" +
                std::to_string(static_cast<int>(f.place.kind)) + "|" + f.place.path + "|" +
                f.place.section + "|" + f.place.key + "|" + std::to_string(f.place.occurrence) +
                "|" + std::to_string(f.place.line) + "|" + f.text + "|" +
                std::to_string(f.codePage) + "|";
        if (f.fix) {
            text += "fix " + f.fix->section + "|" + f.fix->key;
            for (const std::string& value : f.fix->values) text += "|" + value;
        }
        text += "\n";
    }
    return text;
}

Finding finding(Severity severity, Place place, std::string text, unsigned codePage) {
    return {severity, std::move(place), std::move(text), codePage, std::nullopt};
}

CheckResult sampleResult() {
    CheckResult result;
    result.complete = true;
    result.menuFile = "E:\\autorun.inf";
    Place key = keyPlace("1", "Title", 2);
    key.path = result.menuFile;
    key.line = 17;
    result.findings.push_back(finding(Severity::Info, Place("E:\\"), "the medium's root", 0));
    result.findings.push_back(finding(Severity::Warning, key, "\xCF\xF0\xE8\0x"s, 1251));
    Place section = sectionPlace("View");
    section.path = result.menuFile;
    Finding contrast = finding(Severity::Note, section, "contrast", 0);
    contrast.fix = Fix{"View", "FontColor", {"1", "2", "15"}};
    result.findings.push_back(contrast);
    Finding empty = finding(Severity::Error, Place(""), "", 65001);
    empty.fix = Fix{"", "", {}};
    result.findings.push_back(empty);
    return result;
}

TEST(FindingsWire, EveryFieldComesBack) {
    const CheckResult cases[] = {CheckResult(), sampleResult()};
    for (const CheckResult& original : cases) {
        CheckResult decoded;
        ASSERT_TRUE(decodeCheckResult(encodeCheckResult(original), decoded));
        EXPECT_EQ(describe(decoded), describe(original));
    }
}

// Bytes that are no whole result give false and leave the result as it was.
TEST(FindingsWire, AnythingButAWholeResultIsRefused) {
    const std::string good = encodeCheckResult(sampleResult());
    // Offsets in the first finding: after the header, then severity and place kind.
    const std::size_t first = encodeCheckResult(CheckResult()).size() + 14;  // "E:\autorun.inf"
    const auto changed = [&good](std::size_t at, std::string bytes) {
        std::string text = good;
        text.replace(at, bytes.size(), bytes);
        return text;
    };
    std::vector<std::pair<const char*, std::string>> cases = {
        {"empty", ""},
        {"another format", "autorun-menu findings 2\n" + good.substr(24)},
        {"a byte more", good + "x"},
        {"complete flag 2", changed(24, "\x02")},
        {"severity 4", changed(first, "\x04")},
        {"place kind 3", changed(first + 1, "\x03")},
        {"a path longer than the rest", changed(first + 2, "\xF0\xFF\xFF\x00")},
        {"a string of 4 GiB", changed(first + 2, "\xFF\xFF\xFF\xFF")},
        {"more findings than bytes", changed(25 + 4 + 14, "\xFF\xFF\xFF\x7F")},
    };
    for (std::size_t cut = 0; cut < good.size(); ++cut)
        cases.emplace_back("cut short", good.substr(0, cut));
    for (const auto& c : cases) {
        CheckResult result = sampleResult();
        result.menuFile = "kept";
        EXPECT_FALSE(decodeCheckResult(c.second, result)) << c.first << " " << c.second.size();
        EXPECT_EQ(result.menuFile, "kept") << c.first;
    }
    // The unchanged bytes are a result.
    CheckResult result;
    EXPECT_TRUE(decodeCheckResult(good, result));
}

// A negative occurrence or line travels as a number no check gives and is refused.
TEST(FindingsWire, NegativeNumbersAreRefused) {
    CheckResult result = sampleResult();
    result.findings[1].place.line = -1;
    CheckResult decoded;
    EXPECT_FALSE(decodeCheckResult(encodeCheckResult(result), decoded));
}

TEST(FindingsCommand, ArgumentsReadBackAsTheyAre) {
    const struct {
        std::wstring argument, quoted;
    } cases[] = {
        {L"", L"\"\""},
        {L"C:\\Temp\\a b\\autorun.inf", L"\"C:\\Temp\\a b\\autorun.inf\""},
        {L"E:\\", L"\"E:\\\\\""},  // the final backslash would escape the closing mark
        {L"\\\\server\\share\\", L"\"\\\\server\\share\\\\\""},
        {L"say \"hi\"", L"\"say \\\"hi\\\"\""},
        {L"a\\\"b", L"\"a\\\\\\\"b\""},
    };
    for (const auto& c : cases) EXPECT_EQ(quotedArgument(c.argument), c.quoted);
    EXPECT_EQ(
        findingsCommandLine(L"C:\\Program Files\\edit.exe", L"C:\\T\\autorun.inf", L"E:\\", L""),
        L"\"C:\\Program Files\\edit.exe\" --findings \"C:\\T\\autorun.inf\" \"E:\\\\\" "
        L"\"\"");
}

TEST(FindingsResult, PathsOfTheCopyNameTheMenuFile) {
    CheckResult result = sampleResult();
    result.menuFile = "C:\\TEMP\\AUTORU~1\\autorun.inf";
    result.findings[1].place.path = "C:\\Temp\\autorun-menu-edit-1\\autorun.inf";
    result.findings[2].place.path = result.menuFile;
    putBackMenuFile(result, "C:\\Temp\\autorun-menu-edit-1\\autorun.inf", "E:\\autorun.inf");
    EXPECT_EQ(result.menuFile, "E:\\autorun.inf");
    EXPECT_EQ(result.findings[0].place.path, "E:\\");
    EXPECT_EQ(result.findings[1].place.path, "E:\\autorun.inf");
    EXPECT_EQ(result.findings[2].place.path, "E:\\autorun.inf");

    const CheckResult failed = failedCheck("E:\\autorun.inf", "the check did not run", 65001);
    EXPECT_FALSE(failed.complete);
    ASSERT_EQ(failed.findings.size(), 1u);
    EXPECT_EQ(describe(failed),
              "0|E:\\autorun.inf\n3|0|E:\\autorun.inf|||0|0|not checked: the check did not "
              "run|65001|\n");
}

}  // namespace
