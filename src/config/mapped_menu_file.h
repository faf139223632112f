// Hardened PCs map every file named autorun.inf to an empty registry key (IniFileMapping),
// so the profile reader answers every read of the menu file with nothing. The menu tells
// that case from a file that really holds nothing for it: the reader gave no title, no
// prompt and no entry, yet the file's bytes hold a section heading. It then reads its
// configuration again from a copy of the file under another name.
#pragma once

#include <cstddef>

// True when `bytes`, the whole menu file, hold a line that opens a section: after optional
// blanks and tabs a "[" with a "]" later on the line. UTF-16 little-endian text (the file
// starts with FF FE) is read in 16-bit units, anything else byte by byte; a byte-order mark
// in front of the first line is skipped.
bool holdsSectionHeading(const char* bytes, std::size_t size);

// True when the configuration in launcherState gives the menu nothing to show: the title
// and the prompt are empty and every entry slot is empty or unfilled.
bool menuConfigurationEmpty();
