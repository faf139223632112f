#include "checker/menu_state.h"

#include <cstring>

#include "config/entry_line.h"

MenuStateScope::MenuStateScope() : kept_(launcherState) {}

MenuStateScope::~MenuStateScope() {
    for (int slot = 0; slot < kMenuItemSlots; ++slot) {
        MenuItem* loaded = launcherState.menuItems[slot];
        if (loaded != kept_.menuItems[slot]) releaseMenuItem(loaded);
    }
    launcherState = kept_;
}

void resetLanguageState() {
    launcherState.languageIndex = 0;
    std::memset(launcherState.sectionName, 0, sizeof launcherState.sectionName);
    std::memset(launcherState.menuTitle, 0, sizeof launcherState.menuTitle);
    std::memset(launcherState.menuPrompt, 0, sizeof launcherState.menuPrompt);
    launcherState.textCharset = 0;
}
