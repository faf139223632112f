// The text drawn for one entry.
#pragma once

#include <cstddef>

constexpr std::size_t kItemTextSize = 520;  // at most 519 characters and the terminator

// Writes into `text` (kItemTextSize bytes) the entry's number and ".  " when `showNumbers`
// is 1, then the caption. A text that would be longer than 519 bytes is cut there, and a
// double-byte character that would be split is left out whole. Returns the text's length.
std::size_t formatItemText(char* text, int index, const char* caption, int showNumbers);
