// What is wrong with a file, in words for the author (UTF-8), rather than an error number.
#pragma once

#include <string>

#include "console/system_error.h"

// Why the file at `path` could not be opened or read, `error` being the system's code, as
// words that follow the file's role: "does not exist", "is a folder, not a file", "is 1 GiB
// or larger", or "cannot be read: " and the system's words.
std::string unreadableFileText(const std::string& path, unsigned long error);
