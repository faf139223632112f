// The publish tool's command line and times, and an image's size against discs.
#include "publish/publish_options.h"

#include <gtest/gtest.h>

#include "bytes/sha256.h"
#include "publish/disc_sizes.h"
#include "publish/utf16_text.h"

namespace {

std::vector<std::u16string> words(std::initializer_list<const char*> list) {
    std::vector<std::u16string> out;
    for (const char* word : list) out.push_back(utf16FromUtf8(word));
    return out;
}

TEST(PublishOptions, ReadsEveryFormAndRefusesBadOnes) {
    struct Case {
        std::vector<std::u16string> arguments;
        const char* problemPart;  // empty: accepted
    };
    const Case cases[] = {
        {words({"E:\\disc", "out.iso"}), ""},
        {words({"disc", "out.iso", "--label", "Мой диск", "--time", "2026-12-09", "--force"}), ""},
        {words({"disc", "--to", "F:\\", "--allow-nonempty"}), ""},
        {words({"disc", "out.iso", "--time", "1700000000"}), ""},
        {words({}), "no medium"},
        {words({"disc"}), "no image"},
        {words({"disc", "out.iso", "--to", "F:"}), "not both"},
        {words({"disc", "out.iso", "extra"}), "one medium and one image"},
        {words({"disc", "out.iso", "--label"}), "--label needs"},
        {words({"disc", "out.iso", "--label", ""}), "--label needs"},
        {words({"disc", "out.iso", "--time", "yesterday"}), "--time takes"},
        {words({"disc", "out.iso", "--time"}), "--time needs"},
        {words({"disc", "out.iso", "--time", ""}), "--time needs"},
        {words({"disc", "out.iso", "--bogus"}), "unknown option --bogus"},
        {words({"disc", "out.iso", "--allow-nonempty"}), "for --to"},
    };
    for (const Case& c : cases) {
        const PublishOptions options = readPublishOptions(c.arguments);
        if (std::string(c.problemPart).empty()) {
            EXPECT_EQ(options.problem, "");
        } else {
            EXPECT_NE(options.problem.find(c.problemPart), std::string::npos) << options.problem;
        }
    }
    const PublishOptions full = readPublishOptions(
        words({"disc", "out.iso", "--label", "Мой диск", "--time", "2026-12-09T17:30:00Z"}));
    EXPECT_EQ(full.medium, u"disc");
    EXPECT_EQ(full.image, u"out.iso");
    EXPECT_EQ(full.label, u"Мой диск");
    EXPECT_TRUE(full.timeGiven);
    EXPECT_EQ(full.time, 1796837400);
    EXPECT_TRUE(readPublishOptions(words({"--help"})).help);
}

TEST(PublishOptions, TimesAsSecondsOrUtcDates) {
    const std::pair<const char*, std::int64_t> good[] = {
        {"0", 0},
        {"1765300000", 1765300000},
        {"1970-01-01", 0},
        {"2000-02-29T12:00", 951825600},
        {"2025-12-09T17:06:40Z", 1765300000},
        {"2025-12-09 17:06:40", 1765300000},
    };
    for (const auto& [text, seconds] : good) {
        std::int64_t read = -1;
        EXPECT_TRUE(readTime(utf16FromUtf8(text), read)) << text;
        EXPECT_EQ(read, seconds) << text;
    }
    for (const char* bad :
         {"", "-5", "12a", "2025-13-01", "2025-12-32", "2025-12-09T25:00", "2025-12-09T17",
          "2025-12-09T17:06:40+01", "1969-12-31", "9999999999999"}) {
        std::int64_t read = 0;
        EXPECT_FALSE(readTime(utf16FromUtf8(bad), read)) << bad;
    }
}

TEST(DiscSizes, SaidAgainstEachDisc) {
    const std::vector<std::string> small = discFitLines(350 * 1000 * 1000);
    ASSERT_EQ(small.size(), 3u);
    EXPECT_EQ(small[0], "CD (700 MB): fits, 48% full");
    const std::vector<std::string> large = discFitLines(5000ull * 1000 * 1000);
    EXPECT_EQ(large[0], "CD (700 MB): too small by 4,263 MB");
    EXPECT_EQ(large[1], "DVD (4.7 GB): too small by 300 MB");
    EXPECT_EQ(large[2], "dual-layer DVD (8.5 GB): fits, 59% full");
    EXPECT_EQ(groupedNumber(0), "0");
    EXPECT_EQ(groupedNumber(1234567), "1,234,567");
}

}  // namespace
