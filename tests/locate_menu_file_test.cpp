// The menu file beside the running program, and what counts as existing.
#include <windows.h>
#include <gtest/gtest.h>

#include <string>

#include "startup/menu_file.h"
#include "state/launcher_state.h"
#include "test_files.h"

namespace {

std::string programFolder() {
    char path[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
    std::string folder(path, length);
    return folder.substr(0, folder.find_last_of("\\/") + 1);
}

TEST(LocateMenuFile, LooksBesideTheProgram) {
    const std::string expected = programFolder() + "autorun.inf";
    resetLauncherState();
    const bool found = locateMenuFile();
    EXPECT_EQ(fileExists(expected.c_str()), found);
    EXPECT_EQ(expected, launcherState.menuFilePath);
    const std::string root(launcherState.mediaRoot);
    EXPECT_EQ(expected.substr(0, 3), root.substr(0, 3));

    // A folder named autorun.inf counts as the menu file.
    if (!found && CreateDirectoryA(expected.c_str(), nullptr)) {
        EXPECT_TRUE(locateMenuFile());
        RemoveDirectoryA(expected.c_str());
    }
}

TEST(FileExists, FilesAndFoldersOfAnyKind) {
    TempFolder folder;
    const std::string file = folder.write("autorun.inf", "[0]\r\n");
    EXPECT_TRUE(fileExists(file.c_str()));
    SetFileAttributesA(file.c_str(), FILE_ATTRIBUTE_READONLY);
    EXPECT_TRUE(fileExists(file.c_str()));
    EXPECT_TRUE(fileExists(folder.path().c_str()));
    EXPECT_FALSE(fileExists((folder.path() + "missing.inf").c_str()));
    EXPECT_FALSE(fileExists(""));
}

}  // namespace
