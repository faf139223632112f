// Every resource of a program file, read from the file mapped for its resources (nothing of
// it runs), in the order the file lists them.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "bytes/little_endian.h"

// A resource type or name: a number, or a text when `text` is not empty.
struct ResourceKey {
    WORD id = 0;
    std::string text;
    LPCSTR pointer() const { return text.empty() ? MAKEINTRESOURCEA(id) : text.c_str(); }
    bool is(WORD number) const { return text.empty() && id == number; }
    bool operator==(const ResourceKey& other) const { return id == other.id && text == other.text; }
};

struct Resource {
    ResourceKey type;
    ResourceKey name;
    WORD language = 0;
    Bytes data;
    bool operator==(const Resource& other) const {
        return type == other.type && name == other.name && language == other.language &&
               data == other.data;
    }
};

// How the file is mapped to read its resources.
enum class Mapping {
    dataFile,  // the file as it lies (LOAD_LIBRARY_AS_DATAFILE)
    image,     // laid out as the loader lays out a program to run it, confirmed so
};

// What kept readResources from reading every resource.
struct ResourceProblem {
    bool mapped = true;      // false: the file could not be mapped as asked
    DWORD error = 0;         // then the system's code; 0 when Windows mapped it only as data
    std::string unreadable;  // else the resource whose bytes could not be read, as
                             // "type 3 name 1 language 1049"
};

// The resources of the program at `path` (a full path: LoadLibraryEx looks for a relative
// one along the program search path). False with the problem when the file cannot be
// mapped so, or when the bytes of any resource cannot be read: a resource is never listed
// without its bytes.
bool readResources(const std::string& path, Mapping mapping, std::vector<Resource>& resources,
                   ResourceProblem& problem);

// The first resource of `type` and `name` in any language, or null.
const Resource* findResource(const std::vector<Resource>& resources, WORD type, WORD name);
