// The section "View": the look the menu will have, and the values it cannot take.
#pragma once

#include <cstdint>
#include <string>

class Report;

// "3 (maroon)": a colour number of the menu file and its name.
std::string colourText(std::int32_t index);

// Reads "View" with the menu's own code into launcherState.view, over the defaults, and
// reports each of the twelve settings as the menu will use it, then what is wrong with them.
// `present` tells whether the file has the section at all.
void checkViewSection(bool present, Report& report);
