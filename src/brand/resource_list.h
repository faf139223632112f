// Every resource of a program file, read from the file mapped for its resources (nothing of
// it runs), in the order the file lists them.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "brand/resource.h"

// The system's form of a resource type or name.
inline LPCSTR resourcePointer(const ResourceKey& key) {
    return key.text.empty() ? MAKEINTRESOURCEA(key.id) : key.text.c_str();
}

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
