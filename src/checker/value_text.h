// How values of the menu file read, beyond what the menu's own number reader tells.
#pragma once

#include <string>

// The text without the blanks and tabs at either end, as the profile parser trims keys and
// section names.
std::string trimmed(const std::string& text);

// True for a value that is a number written out and reads as 0, such as "0" or " +00":
// a deliberate 0, unlike a word, which reads as 0 too.
bool isWrittenZero(const std::string& value);

// True for an empty value or one of blanks and control characters 9 to 13 only.
bool isBlank(const std::string& value);

// True when the bytes are UTF-8 with at least one character outside ASCII (or start with
// the UTF-8 byte-order mark).
bool looksLikeUtf8(const std::string& bytes);
