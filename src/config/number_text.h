// Numbers to and from text the way the menu file writes them.
#pragma once

#include <cstdint>

// Skips blanks and the control characters 9 to 13, takes one optional sign and then the
// decimal digits that follow, wrapping modulo 2^32; stops at the first other character.
// No digits give 0. The result is the 32-bit two's-complement value.
std::int32_t numberFromText(const char* text);

constexpr int kDecimalTextSize = 12;  // "-2147483648" and its terminator

// Writes `value` in decimal ("%d": a minus sign for negative numbers, no leading zeros)
// into `text`, which holds kDecimalTextSize bytes. Returns the text's length.
int decimalText(std::int32_t value, char* text);
