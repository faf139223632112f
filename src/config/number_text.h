// Text to number the way the menu file's numbers are read.
#pragma once

#include <cstdint>

// Skips blanks and the control characters 9 to 13, takes one optional sign and then the
// decimal digits that follow, wrapping modulo 2^32; stops at the first other character.
// No digits give 0. The result is the 32-bit two's-complement value.
std::int32_t numberFromText(const char* text);
