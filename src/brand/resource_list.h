// Every resource of a program file, read from the file loaded as data (nothing of it runs),
// in the order the file lists them.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "brand/bytes.h"

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

// The resources of the program at `path`. `flags` are LoadLibraryEx's: LOAD_LIBRARY_AS_DATAFILE
// reads the file as it lies, adding LOAD_LIBRARY_AS_IMAGE_RESOURCE maps it as the loader
// maps a program. False with the system's error code when the file cannot be loaded so.
bool readResources(const std::string& path, DWORD flags, std::vector<Resource>& resources,
                   DWORD& error);

// The first resource of `type` and `name` in any language, or null.
const Resource* findResource(const std::vector<Resource>& resources, WORD type, WORD name);
