// The five entries loaded from the language section in force, through the platform's
// profile reader and environment expansion.
#include "config/menu_items.h"

#include <windows.h>
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "config/menu_item.h"
#include "state/launcher_state.h"
#include "test_files.h"

namespace {

void loadFrom(const TempFolder& folder, const std::string& content, const char* root = "E:\\") {
    useMenuFile(folder, content);
    std::strcpy(launcherState.sectionName, "0");
    std::strcpy(launcherState.mediaRoot, root);
    loadMenuItems();
}

void expectEmpty(const MenuItem* item) {
    ASSERT_NE(nullptr, item);
    EXPECT_EQ(1, item->empty);
    EXPECT_EQ(0, item->closeAfterLaunch);
    EXPECT_STREQ("", item->caption);
    EXPECT_STREQ("", item->command);
    EXPECT_STREQ("", item->parameters);
    EXPECT_STREQ("", item->comment);
    EXPECT_STREQ("", item->errorText);
}

TEST(MenuItems, SlotsNeverMoveUp) {
    TempFolder folder;
    loadFrom(folder,
             "[0]\r\n1=One|one.exe|||\r\n3=Three|three.exe|||\r\n4=\r\n5=Five|five.exe||||1\r\n"
             "[1]\r\n2=Other section|x|||\r\n");
    EXPECT_EQ(5, launcherState.itemCount);
    EXPECT_STREQ("One", launcherState.menuItems[0]->caption);
    expectEmpty(launcherState.menuItems[1]);  // missing key
    EXPECT_STREQ("E:\\three.exe", launcherState.menuItems[2]->command);
    expectEmpty(launcherState.menuItems[3]);  // empty value, not the line before it
    EXPECT_EQ(1, launcherState.menuItems[4]->closeAfterLaunch);
}

TEST(MenuItems, NoEntriesGiveFiveEmptyOnes) {
    TempFolder folder;
    loadFrom(folder, "[0]\r\nTitle=Only a title\r\n");
    EXPECT_EQ(5, launcherState.itemCount);
    for (const MenuItem* item : launcherState.menuItems) expectEmpty(item);
}

TEST(MenuItems, TheWorkedLine) {
    TempFolder folder;
    loadFrom(folder,
             "[0]\r\n1=Install|setup.exe|/auto|Installs the program.\\nTakes a few minutes.|"
             "Setup failed to start.|1\r\n");
    const MenuItem* item = launcherState.menuItems[0];
    EXPECT_EQ(0, item->empty);
    EXPECT_EQ(1, item->closeAfterLaunch);
    EXPECT_STREQ("Install", item->caption);
    EXPECT_STREQ("E:\\setup.exe", item->command);
    EXPECT_STREQ("/auto", item->parameters);
    EXPECT_STREQ("Installs the program.\nTakes a few minutes.", item->comment);
    EXPECT_STREQ("Setup failed to start.", item->errorText);
}

TEST(MenuItems, EnvironmentIsExpandedInCommandAndParametersOnly) {
    SetEnvironmentVariableA("AUTORUN_MENU_TEST_DIR", "C:\\Tools");
    SetEnvironmentVariableA("AUTORUN_MENU_TEST_ARG", "--lang=ru");
    TempFolder folder;
    loadFrom(folder,
             "[0]\r\n"
             "1=Abs|%AUTORUN_MENU_TEST_DIR%\\run.exe|%AUTORUN_MENU_TEST_ARG% "
             "x|%AUTORUN_MENU_TEST_ARG%|\r\n"
             "2=Rel|docs\\%AUTORUN_MENU_TEST_ARG%.txt|%UNSET_AUTORUN_MENU_VAR%||\r\n"
             "3=Cap %AUTORUN_MENU_TEST_ARG%|||%AUTORUN_MENU_TEST_DIR%|\r\n");
    const MenuItem* const* items = launcherState.menuItems;
    EXPECT_STREQ("C:\\Tools\\run.exe", items[0]->command);  // absolute after expansion
    EXPECT_STREQ("--lang=ru x", items[0]->parameters);
    EXPECT_STREQ("%AUTORUN_MENU_TEST_ARG%", items[0]->comment);
    EXPECT_STREQ("E:\\docs\\--lang=ru.txt", items[1]->command);
    EXPECT_STREQ("%UNSET_AUTORUN_MENU_VAR%", items[1]->parameters);
    EXPECT_STREQ("Cap %AUTORUN_MENU_TEST_ARG%", items[2]->caption);
    EXPECT_STREQ("", items[2]->command);  // empty command: no root either
}

TEST(MenuItems, LongExpansionsAndLinesStayWhole) {
    SetEnvironmentVariableA("AUTORUN_MENU_TEST_LONG", std::string(10000, 'L').c_str());
    TempFolder folder;
    loadFrom(folder,
             "[0]\r\n1=Long|x|%AUTORUN_MENU_TEST_LONG%%AUTORUN_MENU_TEST_LONG%%AUTORUN_MENU_TEST_"
             "LONG%||\r\n"
             "2=" +
                 std::string(1500, 'c') + "|cut off|||1\r\n",
             "");
    EXPECT_EQ(30000u, std::strlen(launcherState.menuItems[0]->parameters));
    EXPECT_STREQ("x", launcherState.menuItems[0]->command);  // empty root: as written
    // The line arrives cut to 1023 characters: the caption is all there is.
    EXPECT_EQ(std::string(1023, 'c'), launcherState.menuItems[1]->caption);
    EXPECT_STREQ("", launcherState.menuItems[1]->command);
    EXPECT_EQ(0, launcherState.menuItems[1]->closeAfterLaunch);
}

}  // namespace
