// The brand tool's command line.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

struct BrandOptions {
    std::string picture;
    std::string icon;  // empty: the menu's own icon stays
    bool fit = false;  // letterbox the whole picture instead of cropping it to fill
    std::uint32_t fitColour = 0;  // 0x00BBGGRR, the bars' colour with `fit`
    std::optional<std::string> company;
    std::optional<std::string> product;
    std::optional<std::string> description;
    std::optional<std::string> copyright;
    std::string menu;
    std::string output;
    bool help = false;
};

// `text` as a colour: "#RRGGBB", or one of the menu's colour numbers 0 to 17. False when it
// is neither.
bool parseColour(const std::string& text, std::uint32_t& colour);

// Reads `argc` arguments. False with a one-line problem when an option is unknown, lacks
// its value or is given twice, or when the picture, MENU.exe or OUTPUT.exe is missing or
// empty.
bool parseBrandOptions(int argc, const char* const* argv, BrandOptions& options,
                       std::string& problem);
