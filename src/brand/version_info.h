// The version resource (VS_VERSIONINFO): read as a tree of named blocks, texts replaced,
// written back. The numbers (the fixed file information) are never touched.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "bytes/little_endian.h"

// The most UTF-16 units a replaced text may have. Explorer shows far less; the limit keeps
// every block well inside the 64 KiB a block's length field can count.
constexpr std::size_t kMaxVersionText = 255;

struct VersionNode {
    std::u16string key;
    std::uint16_t type = 0;         // 1: the value is text
    std::uint16_t valueLength = 0;  // as stored: UTF-16 units for text, bytes otherwise
    Bytes value;
    std::vector<VersionNode> children;
};

// The tree of `resource`. False when the bytes are not a version resource whose blocks lie
// inside each other and inside the resource.
bool readVersionInfo(const Bytes& resource, VersionNode& root);

// The resource bytes of `root`, laid out as resource compilers do (blocks on 4-byte
// boundaries, each length counting the block and its children). Empty when a block would
// be longer than the 64 KiB its length field can count.
Bytes writeVersionInfo(const VersionNode& root);

// The file version numbers of the fixed file information: major, minor, patch, build.
bool versionNumbers(const VersionNode& root, std::uint16_t numbers[4]);

// The text of `key` in the first string table; empty when there is none.
std::u16string versionText(const VersionNode& root, const std::u16string& key);

// Sets `key` to `text` in every string table, adding the key where a table lacks it.
// False when the tree has no string table.
bool setVersionText(VersionNode& root, const std::u16string& key, const std::u16string& text);
