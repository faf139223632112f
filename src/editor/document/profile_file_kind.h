// Whether a file's bytes are a profile file the editor can open as they are, one it can
// offer to convert, or one it must refuse, told before the document reads them.
#pragma once

#include <cstddef>
#include <string>

// Larger files are no menu file: the editor refuses them.
constexpr std::size_t kLargestProfileFile = 1024 * 1024;

enum class ProfileFileKind {
    Utf16,             // UTF-16 little-endian with its mark: opens as it is
    Ansi,              // ANSI bytes (plain ASCII included): opens as it is
    Utf8,              // UTF-8 with characters outside ASCII: offer to convert to UTF-16
    Utf8WithMark,      // starts with the UTF-8 mark: offer to convert to UTF-16
    Utf16BigEndian,    // Windows reads it as ANSI text: refused
    Utf16WithoutMark,  // Windows reads it as ANSI text: refused
    Binary,            // NUL characters in the text: no text file
    TooLarge,          // over kLargestProfileFile bytes
};

// The kind of the file whose bytes these are. The encodings are told as the checker tells
// them (checker/file_encoding.h), so the editor and the checker never disagree.
ProfileFileKind profileFileKind(const std::string& bytes);
