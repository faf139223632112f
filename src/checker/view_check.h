// The section "View": the look the menu will have, and the values it cannot take.
#pragma once

class Report;

// Reads "View" with the menu's own code into launcherState.view, over the defaults, and
// reports each of the twelve settings as the menu will use it, then what is wrong with them.
// `present` tells whether the file has the section at all.
void checkViewSection(bool present, Report& report);
