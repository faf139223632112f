#include "config/menu_items.h"

#include <cstring>

#include "config/entry_line.h"
#include "config/number_text.h"
#include "config/profile_readers.h"
#include "state/launcher_state.h"

void loadMenuItems() {
    launcherState.itemCount = kMenuItemSlots;
    char line[kTextLineSize];
    for (int n = 1; n <= kMenuItemSlots; ++n) {
        char key[kDecimalTextSize];
        decimalText(n, key);
        // Cleared each time, so a missing key gives an empty line, never the previous one.
        std::memset(line, 0, sizeof line);
        readProfileText(launcherState.sectionName, key, line, sizeof line);
        launcherState.menuItems[n - 1] = menuItemFromLine(line);
    }
}
