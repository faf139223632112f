// Files for the document model's tests, and the lines an edit changed in them.
#pragma once

#include <string>
#include <vector>

#include "editor/document/profile_document.h"

// `text` as a UTF-16 little-endian file with its mark.
std::string utf16File(const std::u16string& text);

// The document of `bytes`, ANSI read as Latin-1.
ProfileDocument loadFile(const std::string& bytes);

// Where two files differ, line by line: from line `first` on, the lines `removed` of the
// one before became the lines `inserted`; the lines before and after are the same. Lines
// are given with their line breaks, as Latin-1 (UTF-16 files: characters above U+00FF as
// '?'), so that a failure shows them.
struct LineChange {
    std::size_t first = 0;
    std::vector<std::string> removed;
    std::vector<std::string> inserted;
    bool operator==(const LineChange& other) const {
        return first == other.first && removed == other.removed && inserted == other.inserted;
    }
};
LineChange lineChange(const std::string& before, const std::string& after);
std::ostream& operator<<(std::ostream& out, const LineChange& change);
