// How the checker names the values of the section "View", and what it tells about a value
// the menu does not take.
#pragma once

#include <cstdint>
#include <string>

#include "config/view_keys.h"

// "3 (maroon)": a colour number of the menu file and its name.
std::string colourText(std::int32_t index);

// The problem with `value`, written for `key`, that the menu does not take; empty when it
// takes it. `taken` is what the menu's number reader made of the value (0 when it kept the
// setting), `defaultValue` the setting it keeps.
std::string refusedValue(const ViewKey& key, const std::string& value, std::int32_t taken,
                         std::int32_t defaultValue);
