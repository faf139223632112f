// The brand tool's command line read into a request, every line it refuses, and its usage
// text.
#include "brand/brand_options.h"

#include <gtest/gtest.h>

#include <sstream>
#include <vector>

#include "config/colour_table.h"

namespace {

// `line` split at spaces into arguments after the program's name.
bool parse(const std::string& line, BrandOptions& options, std::string& problem) {
    std::vector<std::string> words = {"autorun-menu-brand"};
    std::istringstream in(line);
    for (std::string word; in >> word;) words.push_back(word == "''" ? std::string() : word);
    std::vector<const char*> argv;
    for (const std::string& word : words) argv.push_back(word.c_str());
    return parseBrandOptions(static_cast<int>(argv.size()), argv.data(), options, problem);
}

std::string shown(const std::optional<std::string>& value) { return value ? *value : "(none)"; }

TEST(BrandOptions, ReadsWhatIsAskedAndLeavesTheRest) {
    const struct {
        const char* line;
        const char* picture;
        const char* icon;
        const char* company;
        const char* copyright;
        std::optional<std::uint32_t> fit;
    } cases[] = {
        {"--picture p.jpg --icon i.png --company Example m.exe o.exe",
         "p.jpg",
         "i.png",
         "Example",
         "(none)",
         {}},
        {"--picture=p.png --fit #102030 m.exe o.exe", "p.png", "(none)", "(none)", "(none)",
         0x302010},
        {"m.exe --picture p.png --fit 5 o.exe", "p.png", "(none)", "(none)", "(none)",
         colourFromIndex(5)},
        {"--icon E:\\logo.ico\" m.exe o.exe", "(none)", "E:\\logo.ico", "(none)", "(none)", {}},
        {"--copyright=(c) --company= m.exe o.exe", "(none)", "(none)", "", "(c)", {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        BrandOptions options;
        std::string problem;
        ASSERT_TRUE(parse(c.line, options, problem)) << problem;
        EXPECT_FALSE(options.help);
        EXPECT_EQ("m.exe", options.request.menu);
        EXPECT_EQ("o.exe", options.request.output);
        EXPECT_EQ(c.picture, shown(options.request.picture));
        EXPECT_EQ(c.icon, shown(options.request.icon));
        EXPECT_EQ(c.company, shown(options.request.company));
        EXPECT_EQ(c.copyright, shown(options.request.copyright));
        EXPECT_FALSE(options.request.product || options.request.description);
        EXPECT_EQ(c.fit, options.request.fitColour);
    }
    // Help asks for nothing else.
    for (const char* line : {"/?", "--picture p.png -h", "m.exe --help"}) {
        BrandOptions options;
        std::string problem;
        EXPECT_TRUE(parse(line, options, problem) && options.help) << line;
    }
}

TEST(BrandOptions, RefusesWhatItCannotUse) {
    const struct {
        const char* line;
        const char* problem;
    } cases[] = {
        {"--colour 5 --picture p.png m.exe o.exe", "unknown option --colour"},
        {"m.exe o.exe --picture", "--picture needs a value"},
        {"--picture p.png --picture q.png m.exe o.exe", "--picture given twice"},
        {"--picture p.png --fit 1 --fit=2 m.exe o.exe", "--fit given twice"},
        {"--company A --company=B m.exe o.exe", "--company given twice"},
        {"--picture p.png --fit 18 m.exe o.exe",
         "--fit needs a colour, #RRGGBB or a colour number 0 to 17: 18"},
        {"--picture p.png --fit #12345G m.exe o.exe",
         "--fit needs a colour, #RRGGBB or a colour number 0 to 17: #12345G"},
        {"--icon '' m.exe o.exe", "--icon needs a file, not an empty argument"},
        {"--picture p.png '' o.exe", "an empty argument where MENU.exe or OUTPUT.exe belongs"},
        {"--picture p.png m.exe o.exe x.exe", "more than MENU.exe and OUTPUT.exe given: x.exe"},
        {"--picture p.png m.exe", "no OUTPUT.exe given"},
        {"--picture p.png", "no MENU.exe and OUTPUT.exe given"},
        {"m.exe o.exe",
         "nothing to change: give --picture, --icon, --company, --product, --description or "
         "--copyright"},
        {"--fit 3 --icon i.ico m.exe o.exe", "--fit goes with --picture IMAGE"},
        {"--sign c.pfx m.exe o.exe",
         "nothing to change: give --picture, --icon, --company, --product, --description or "
         "--copyright (or --sign-only to sign MENU.exe as it is)"},
        {"--sign c.pfx --sign-store AB --icon i.ico m.exe o.exe",
         "--sign and --sign-store both given: sign with one certificate"},
        {"--sign-store AB --password-file p.txt --icon i.ico m.exe o.exe",
         "--password-file goes with --sign CERT.pfx"},
        {"--timestamp http://t --icon i.ico m.exe o.exe",
         "--timestamp goes with --sign CERT.pfx or --sign-store THUMBPRINT"},
        {"--sign-only m.exe", "--sign-only needs --sign CERT.pfx or --sign-store THUMBPRINT"},
        {"--sign-only --sign c.pfx --icon i.ico m.exe",
         "--sign-only signs MENU.exe as it is: leave out the picture, icon and names, or leave "
         "out --sign-only"},
        {"--sign-only --sign c.pfx m.exe o.exe",
         "--sign-only signs MENU.exe in place: give no OUTPUT.exe"},
        {"--sign-only --sign c.pfx", "no MENU.exe given"},
        {"--sign-only --sign-only --sign c.pfx m.exe", "--sign-only given twice"},
        {"--sign c.pfx --sign d.pfx --icon i.ico m.exe o.exe", "--sign given twice"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        BrandOptions options;
        std::string problem;
        EXPECT_FALSE(parse(c.line, options, problem));
        EXPECT_EQ(c.problem, problem);
    }
}

TEST(BrandOptions, ReadsTheSigningOptions) {
    BrandOptions options;
    std::string problem;
    ASSERT_TRUE(
        parse("--icon i.ico --sign c.pfx --password-file p.txt --timestamp=http://t/ "
              "m.exe o.exe",
              options, problem))
        << problem;
    EXPECT_EQ("c.pfx", shown(options.request.signPfx));
    EXPECT_EQ("p.txt", shown(options.request.passwordFile));
    EXPECT_EQ("http://t/", shown(options.request.timestampUrl));
    EXPECT_FALSE(options.request.signOnly);

    BrandOptions only;
    ASSERT_TRUE(parse("--sign-only --sign-store 0A1B m.exe", only, problem)) << problem;
    EXPECT_TRUE(only.request.signOnly);
    EXPECT_EQ("0A1B", shown(only.request.signStore));
    EXPECT_EQ("m.exe", only.request.menu);
    EXPECT_TRUE(only.request.output.empty());
}

// Lines fit an 80-column console, and the places to keep calm are filled in.
TEST(BrandOptions, UsageFitsTheConsole) {
    const std::string usage = brandUsage();
    std::istringstream lines(usage);
    for (std::string line; std::getline(lines, line);) EXPECT_LE(line.size(), 79u) << line;
    EXPECT_EQ(std::string::npos, usage.find('{'));
    EXPECT_NE(std::string::npos, usage.find("Keep x 318-590, y 68-232 (the\n"));
    EXPECT_NE(std::string::npos, usage.find("entries) and x 300-598, y 270-395 (the comment"));
}

}  // namespace
