// Reading the menu file again through a copy, as the menu does on PCs that map autorun.inf
// away from the profile reader. The first read's empty result is what a reset state holds;
// the copy is written to a temporary folder of the test's own, so leftovers can be seen.
#include "startup/menu_file_copy.h"

#include <windows.h>
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "config/menu_item.h"
#include "state/launcher_state.h"
#include "test_files.h"

namespace {

// The files in `folder`, "." and ".." left out.
int filesIn(const std::string& folder) {
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return 0;
    int count = 0;
    do {
        if (std::strcmp(found.cFileName, ".") != 0 && std::strcmp(found.cFileName, "..") != 0) {
            ++count;
        }
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return count;
}

class MenuFileCopy : public ::testing::Test {
protected:
    void SetUp() override {
        char previous[MAX_PATH] = {};
        hadTmp_ = GetEnvironmentVariableA("TMP", previous, sizeof previous) > 0;
        previousTmp_ = previous;
        SetEnvironmentVariableA("TMP", temporary_.path().c_str());
    }
    void TearDown() override {
        SetEnvironmentVariableA("TMP", hadTmp_ ? previousTmp_.c_str() : nullptr);
        resetLauncherState();
    }

    TempFolder medium_;
    TempFolder temporary_;
    bool hadTmp_ = false;
    std::string previousTmp_;
};

const char kMenu[] =
    "; the author's comment\r\n"
    "[View]\r\nFontSize=20\r\n"
    "[0]\r\nTitle=Demo disc\r\nPrompt=Choose\r\n1=Install|setup.exe|/auto|Installs.|Failed.|1\r\n";

TEST_F(MenuFileCopy, AnEmptyReadIsDoneAgainFromACopyThatIsThenGone) {
    useMenuFile(medium_, kMenu);
    std::strcpy(launcherState.mediaRoot, "E:\\");
    const std::string menuFile = launcherState.menuFilePath;

    readMenuFileThroughCopy();

    EXPECT_STREQ("Demo disc", launcherState.menuTitle);
    EXPECT_STREQ("Choose", launcherState.menuPrompt);
    EXPECT_EQ(20, launcherState.view.FontSize);
    ASSERT_NE(nullptr, launcherState.menuItems[0]);
    EXPECT_STREQ("E:\\setup.exe", launcherState.menuItems[0]->command);
    EXPECT_EQ(1, launcherState.menuItems[0]->closeAfterLaunch);
    EXPECT_EQ(menuFile, launcherState.menuFilePath);
    EXPECT_EQ(0, filesIn(temporary_.path()));
}

TEST_F(MenuFileCopy, NoCopyWhenTheReadGaveSomethingOrTheFileHoldsNoSection) {
    struct Case {
        const char* content;
        const char* titleBefore;
    } const cases[] = {
        {kMenu, "Read already"},                       // the first read gave a title
        {"Title=Demo disc\r\nPrompt=Choose\r\n", ""},  // nothing to read: no heading
    };
    for (const Case& c : cases) {
        useMenuFile(medium_, c.content);
        std::strcpy(launcherState.menuTitle, c.titleBefore);
        readMenuFileThroughCopy();
        EXPECT_STREQ(c.titleBefore, launcherState.menuTitle);
        EXPECT_STREQ("", launcherState.menuPrompt);
        EXPECT_EQ(13, launcherState.view.FontSize);
        EXPECT_EQ(0, filesIn(temporary_.path()));
    }
}

TEST_F(MenuFileCopy, WithoutRoomForTheCopyNothingIsReadAgain) {
    useMenuFile(medium_, kMenu);
    SetEnvironmentVariableA("TMP", (temporary_.path() + "missing\\").c_str());
    readMenuFileThroughCopy();
    EXPECT_STREQ("", launcherState.menuTitle);  // read through the copy only, never the file
    EXPECT_EQ(0, filesIn(temporary_.path()));
}

TEST_F(MenuFileCopy, AMissingOrUnreadableMenuFileChangesNothing) {
    resetLauncherState();
    std::snprintf(launcherState.menuFilePath, sizeof launcherState.menuFilePath, "%s",
                  (medium_.path() + "autorun.inf").c_str());
    CreateDirectoryA(launcherState.menuFilePath, nullptr);  // a folder named autorun.inf
    readMenuFileThroughCopy();
    EXPECT_STREQ("", launcherState.menuTitle);
    EXPECT_EQ(0, filesIn(temporary_.path()));
}

}  // namespace
