// An image's size said against the discs it may be burnt to.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct DiscKind {
    const char* name;     // "CD (700 MB)"
    std::uint64_t bytes;  // what a blank disc of the kind holds
};

// A CD of 80 minutes (360,000 sectors), a DVD (2,295,104) and a dual-layer DVD (4,173,824).
const std::vector<DiscKind>& discKinds();

// "1,234,567" for 1234567.
std::string groupedNumber(std::uint64_t value);

// One line per disc kind: "CD (700 MB): fits, 63% full" or "CD (700 MB): too small by 12 MB".
std::vector<std::string> discFitLines(std::uint64_t imageBytes);
