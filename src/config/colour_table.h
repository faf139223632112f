// The 18 colours that every colour setting of the menu file picks by number.
#pragma once

#include <cstdint>

constexpr std::int32_t kColourCount = 18;

// Colours as the platform takes them (COLORREF): red in the lowest byte, then green, blue.
extern const std::uint32_t colourTable[kColourCount];

// The colour of table entry `index`; an index outside 0..17 gives black (entry 0), so the
// lookup never reads outside the table.
std::uint32_t colourFromIndex(std::int32_t index);
