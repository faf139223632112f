// What goes into a disc image: the medium's folders and files as a tree, each with its name
// as the author gave it, its size, its time and whether it is hidden. The tree is built by
// whoever reads the medium (the publish tool from a folder, tests from tables); the image
// writer lays it out and asks for each file's bytes only while it writes them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct ImageEntry {
    std::u16string name;  // as on the medium (UTF-16); empty for the root
    bool folder = false;
    bool hidden = false;
    std::uint64_t size = 0;  // bytes, for a file
    std::int64_t time = 0;   // last change, seconds since 1970-01-01 UTC
    std::string source;      // where the reader finds the file's bytes; the writer never reads it
    std::vector<ImageEntry> children;  // for a folder, in any order
};

// A folder entry named `name` (UTF-8), and a file entry of `size` bytes read from `source`.
ImageEntry folderEntry(const std::string& name);
ImageEntry fileEntry(const std::string& name, std::uint64_t size, const std::string& source);
