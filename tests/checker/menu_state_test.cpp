// The menu's state around a check: put back as it was, the entries loaded meanwhile released
// (the host build's leak checker sees any that are not).
#include "checker/menu_state.h"

#include <gtest/gtest.h>

#include <cstring>

#include "config/entry_line.h"
#include "config/menu_item.h"

namespace {

TEST(MenuStateScope, PutsTheStateBackAndReleasesTheEntriesLoadedMeanwhile) {
    MenuItem before("Before", "", "", "", "", false);
    launcherState = LauncherState{};
    std::strcpy(launcherState.menuFilePath, "E:\\autorun.inf");
    launcherState.menuItems[0] = &before;
    {
        const MenuStateScope scope;
        std::strcpy(launcherState.menuFilePath, "C:\\copy.inf");
        std::strcpy(launcherState.sectionName, "1");
        launcherState.view.FontSize = 40;
        for (int slot = 0; slot < kMenuItemSlots - 1; ++slot)
            launcherState.menuItems[slot] =
                menuItemFromLine("Setup|setup.exe|/auto|Installs.|Failed.|1");
        launcherState.menuItems[kMenuItemSlots - 1] = sharedEmptyItem();
    }
    EXPECT_STREQ("E:\\autorun.inf", launcherState.menuFilePath);
    EXPECT_STREQ("", launcherState.sectionName);
    EXPECT_EQ(13, launcherState.view.FontSize);
    EXPECT_EQ(&before, launcherState.menuItems[0]);
    for (int slot = 1; slot < kMenuItemSlots; ++slot)
        EXPECT_EQ(nullptr, launcherState.menuItems[slot]) << slot;
    launcherState = LauncherState{};
    releaseMenuItemTexts(before);
}

}  // namespace
