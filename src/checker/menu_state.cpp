#include "checker/menu_state.h"

#include "config/entry_line.h"

MenuStateScope::MenuStateScope() : kept_(launcherState) {}

MenuStateScope::~MenuStateScope() {
    for (int slot = 0; slot < kMenuItemSlots; ++slot) {
        MenuItem* loaded = launcherState.menuItems[slot];
        if (loaded != kept_.menuItems[slot]) releaseMenuItem(loaded);
    }
    launcherState = kept_;
}
