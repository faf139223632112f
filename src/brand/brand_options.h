// The brand tool's command line.
#pragma once

#include <cstdint>
#include <string>

#include "brand/brand_request.h"

struct BrandOptions {
    BrandRequest request;
    bool help = false;
};

// `text` as a colour: "#RRGGBB", or one of the menu's colour numbers 0 to 17. False when it
// is neither.
bool parseColour(const std::string& text, std::uint32_t& colour);

// Reads `argc` arguments. False with a one-line problem when an option is unknown, lacks
// its value or is given twice, when MENU.exe or OUTPUT.exe is missing or empty, or when
// the request asks for nothing (requestProblem).
bool parseBrandOptions(int argc, const char* const* argv, BrandOptions& options,
                       std::string& problem);

// What --help prints, in lines of at most 79 characters.
std::string brandUsage();
