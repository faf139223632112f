// The 18 colours that every colour setting of the menu file picks by number.
#pragma once

#include <cstdint>

constexpr std::int32_t kColourCount = 18;

// True for the numbers that name a colour of the table, 0 to 17.
constexpr bool isColourNumber(std::int32_t index) { return index >= 0 && index < kColourCount; }

// Colours as the platform takes them (COLORREF): red in the lowest byte, then green, blue.
extern const std::uint32_t colourTable[kColourCount];

// The colour of table entry `index`; an index outside 0..17 gives black (entry 0), so the
// lookup never reads outside the table.
std::uint32_t colourFromIndex(std::int32_t index);
