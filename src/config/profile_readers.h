// The only way anything is read from the menu file. A value found in the file can only
// replace what the destination holds: a missing key, an empty value, or a number that is
// not above 0 leaves the destination exactly as it was.
#pragma once

#include <cstdint>

// Copies the key's value, cut to size - 1 characters and terminated, into `destination`
// (`size` at most 1024). Leaves every byte of `destination` untouched when the value is
// missing or empty.
void readProfileText(const char* section, const char* key, char* destination, int size);

// Sets `flag` to 1 when the value reads as a number above 0; never sets it to 0.
void readProfileFlag(const char* section, const char* key, std::int32_t& flag);

// Stores the value when it reads as a number above 0.
void readProfileNumber(const char* section, const char* key, std::int32_t& number);
