// A program's resources as the brand tool reads, changes and writes them: plain data, and
// the types and numbers of the ones the menu carries.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "bytes/little_endian.h"
#include "resources/resource_ids.h"

// The resource types (RT_*) the tool looks at.
constexpr std::uint16_t kBitmapType = 2;      // RT_BITMAP
constexpr std::uint16_t kIconType = 3;        // RT_ICON
constexpr std::uint16_t kDialogType = 5;      // RT_DIALOG
constexpr std::uint16_t kIconGroupType = 14;  // RT_GROUP_ICON
constexpr std::uint16_t kVersionType = 16;    // RT_VERSION
constexpr std::uint16_t kManifestType = 24;   // RT_MANIFEST

// The menu's resources the tool replaces or must find.
constexpr std::uint16_t kMenuDialog = IDD_MENU;
constexpr std::uint16_t kMenuPicture = IDB_BACKGROUND;
constexpr std::uint16_t kMenuIconGroup = IDI_MENU;
constexpr std::uint16_t kMenuManifest = 1;  // the process's manifest
constexpr std::uint16_t kMenuVersion = 1;   // VS_VERSION_INFO

// A resource type or name: a number, or a text when `text` is not empty.
struct ResourceKey {
    std::uint16_t id = 0;
    std::string text;
    bool is(std::uint16_t number) const { return text.empty() && id == number; }
    bool operator==(const ResourceKey& other) const { return id == other.id && text == other.text; }
};

struct Resource {
    ResourceKey type;
    ResourceKey name;
    std::uint16_t language = 0;
    Bytes data;
    bool operator==(const Resource& other) const {
        return type == other.type && name == other.name && language == other.language &&
               data == other.data;
    }
};

// The first resource of `type` and `name` in any language, or null.
const Resource* findResource(const std::vector<Resource>& resources, std::uint16_t type,
                             std::uint16_t name);
