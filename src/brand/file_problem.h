// What is wrong with a file, in words for the author (UTF-8), rather than an error number.
#pragma once

#include <string>

// The system's own words for the error code `error` (FormatMessage), without the final full
// stop, followed by the number: "Access is denied (system error 5)". Just "system error N"
// when the system has no words for it.
std::string systemErrorText(unsigned long error);

// Why the file at `path` could not be opened or read, `error` being the system's code, as
// words that follow the file's role: "does not exist", "is a folder, not a file", "is 1 GiB
// or larger", or "cannot be read: " and the system's words.
std::string unreadableFileText(const std::string& path, unsigned long error);
