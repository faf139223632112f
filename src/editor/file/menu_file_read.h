// Whole menu files read through the platform, and the words for why one cannot be.
#pragma once

#include <string>

enum class ReadOutcome {
    Read,      // `bytes` holds the whole file
    TooLarge,  // over kLargestProfileFile bytes: nothing read
    Failed,    // the system's error code in `error`
};

// Reads the file at `path`, which other programs may have open for reading or writing.
ReadOutcome readMenuBytes(const std::wstring& path, std::string& bytes, unsigned long& error);

// Why the file at `path` could not be read, `error` being the system's code: "it is a folder,
// not a file", "it does not exist", ..., with the system's own words in parentheses.
std::wstring unreadableWords(const std::wstring& path, unsigned long error);
