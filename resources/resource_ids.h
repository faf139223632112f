// Numbers of the resources compiled into the program.
#pragma once

#define IDD_MENU 103        // the menu window's dialog template
#define IDB_BACKGROUND 111  // the 600 x 397 background picture
#define IDI_MENU 101        // the window's icon group
