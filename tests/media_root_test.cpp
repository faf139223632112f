// Finding the menu file beside the program and the root of the medium.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "startup/lead_byte.h"
#include "startup/menu_file.h"
#include "startup/path_split.h"
#include "state/launcher_state.h"

namespace {

struct PathCase {
    const char* executable;
    const char* menuFile;
    const char* mediaRoot;
};

const PathCase kWorkedExamples[] = {
    {"D:\\setup\\menu.exe", "D:\\setup\\autorun.inf", "D:\\"},
    {"d:\\menu.exe", "d:\\autorun.inf", "d:\\"},
    {"E:\\a\\b\\c\\start.exe", "E:\\a\\b\\c\\autorun.inf", "E:\\"},
    {"\\\\srv\\share\\dir\\menu.exe", "\\\\srv\\share\\dir\\autorun.inf", "\\\\srv\\share\\"},
    {"\\\\srv\\share\\menu.exe", "\\\\srv\\share\\autorun.inf", "\\\\srv\\share\\"},
    {"//srv/share/dir/menu.exe", "//srv/share/dir/autorun.inf", "\\\\srv/share\\"},
    {"\\\\srv\\menu.exe", "\\\\srv\\autorun.inf", "\\\\srv\\"},
    {"\\\\srv\\\\share\\dir\\menu.exe", "\\\\srv\\\\share\\dir\\autorun.inf",
     "\\\\srv\\\\share\\dir\\"},
    {"\\\\\\share\\dir\\menu.exe", "\\\\\\share\\dir\\autorun.inf", "\\\\\\share\\dir\\"},
    {"\\setup\\menu.exe", "\\setup\\autorun.inf", ""},
    // The program's own name and extension play no part.
    {"D:\\setup\\other name.v2.exe", "D:\\setup\\autorun.inf", "D:\\"},
    {"D:\\setup.d\\menu", "D:\\setup.d\\autorun.inf", "D:\\"},
    // A mixed or single leading pair is no share; a bare name has no folder at all.
    {"\\/srv\\share\\menu.exe", "\\/srv\\share\\autorun.inf", ""},
    {"menu.exe", "autorun.inf", ""},
    {"C:menu.exe", "C:autorun.inf", "C:\\"},
};

TEST(MenuFilePath, WorkedExamples) {
    for (const PathCase& c : kWorkedExamples) {
        SCOPED_TRACE(c.executable);
        char menuFile[kPathSize];
        ASSERT_TRUE(buildMenuFilePath(c.executable, menuFile, sizeof menuFile));
        EXPECT_STREQ(c.menuFile, menuFile);

        launcherState.mediaRoot[0] = 'x';
        launcherState.mediaRoot[1] = '\0';
        computeMediaRoot(menuFile);
        EXPECT_STREQ(c.mediaRoot, launcherState.mediaRoot);
    }
}

TEST(MenuFilePath, PathThatWouldNotFitIsRefused) {
    // A folder of 250 characters leaves no room for "\autorun.inf" in 260 bytes.
    const std::string executable = "D:\\" + std::string(246, 'a') + "\\menu.exe";
    char menuFile[kPathSize];
    std::memset(menuFile, 'x', sizeof menuFile);
    EXPECT_FALSE(buildMenuFilePath(executable.c_str(), menuFile, sizeof menuFile));
    EXPECT_STREQ("", menuFile);

    // The longest folder that fits gives a path of exactly 259 characters.
    const std::string fits = "D:\\" + std::string(244, 'a') + "\\menu.exe";
    ASSERT_TRUE(buildMenuFilePath(fits.c_str(), menuFile, sizeof menuFile));
    EXPECT_EQ(259u, std::strlen(menuFile));
}

TEST(PathSplit, CutsOverlongPartsAndKeepsTheDriveCase) {
    PathParts parts;
    const std::string longName = "x:\\dir\\" + std::string(300, 'n') + ".exe";
    splitPath(longName.c_str(), parts);
    EXPECT_STREQ("x:", parts.drive);
    EXPECT_STREQ("\\dir\\", parts.directory);
    EXPECT_EQ(255u, std::strlen(parts.fileName));

    const std::string longDir = "\\" + std::string(300, 'd') + "\\menu.exe";
    splitPath(longDir.c_str(), parts);
    EXPECT_EQ(255u, std::strlen(parts.directory));
    EXPECT_STREQ("menu", parts.fileName);

    splitPath("", parts);
    EXPECT_STREQ("", parts.drive);
    EXPECT_STREQ("", parts.directory);
    EXPECT_STREQ("", parts.fileName);
}

// In code page 932 the second byte of a double-byte character can be 0x5C, the backslash:
// the scan must step over such characters whole.
class DoubleBytePaths : public ::testing::Test {
protected:
    void SetUp() override { setLeadByteCodePage(932); }
    void TearDown() override { setLeadByteCodePage(0); }
};

TEST_F(DoubleBytePaths, TrailByteBackslashIsNoSeparator) {
    ASSERT_TRUE(isLeadByte(0x83));
    ASSERT_FALSE(isLeadByte('a'));

    // "D:\<0x83 0x5C>\menu.exe": the folder's name is one double-byte character.
    PathParts parts;
    splitPath("D:\\\x83\x5C\\menu.exe", parts);
    EXPECT_STREQ("\\\x83\x5C\\", parts.directory);
    EXPECT_STREQ("menu", parts.fileName);

    // "D:\dir\<0x83 0x5C>.exe": the trail byte does not end the folder.
    splitPath("D:\\dir\\\x83\x5C.exe", parts);
    EXPECT_STREQ("\\dir\\", parts.directory);
    EXPECT_STREQ("\x83\x5C", parts.fileName);

    char menuFile[kPathSize];
    ASSERT_TRUE(buildMenuFilePath("D:\\\x83\x5C\\menu.exe", menuFile, sizeof menuFile));
    EXPECT_STREQ("D:\\\x83\x5C\\autorun.inf", menuFile);
}

TEST_F(DoubleBytePaths, LeadByteAtTheEndStopsAtTheTerminator) {
    // The terminator is followed by bytes the scan must never reach.
    const char path[] = "D:\\dir\\name\x83\0\\x.y";
    PathParts parts;
    splitPath(path, parts);
    EXPECT_STREQ("\\dir\\", parts.directory);
    EXPECT_STREQ("name\x83", parts.fileName);
}

TEST(AppendSeparator, AddsOneBackslashOnlyWhereNeeded) {
    struct Case {
        const char* before;
        const char* after;
    } const cases[] = {
        {"", ""},
        {"D:", "D:\\"},
        {"D:\\", "D:\\"},
        {"a/", "a/"},
        {"\\\\srv\\share", "\\\\srv\\share\\"},
    };
    for (const Case& c : cases) {
        char text[16];
        std::strcpy(text, c.before);
        appendSeparator(text, sizeof text);
        EXPECT_STREQ(c.after, text) << c.before;
    }

    char full[4] = "abc";  // no room left for a separator
    appendSeparator(full, sizeof full);
    EXPECT_STREQ("abc", full);
}

}  // namespace
