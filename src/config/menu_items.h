// The five entries of the language section in force.
#pragma once

// Sets launcherState.itemCount to 5 and fills every slot of launcherState.menuItems from the
// keys "1" to "5" of launcherState.sectionName; slot i always holds key i+1, an empty entry
// where the key is missing or empty. Always completes.
void loadMenuItems();
