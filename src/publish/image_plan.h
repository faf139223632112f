// The layout of a disc image, decided before a byte is written: every name checked against
// what the image and Windows can hold, every folder and file given its place, and the
// image's size known. A tree the image cannot hold is refused whole, each reason with the
// path it concerns; nothing is shortened, renamed in the Joliet tree or left out.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "publish/image_names.h"
#include "publish/image_tree.h"

constexpr std::uint32_t kSectorSize = 2048;
// The deepest a folder may lie: ISO 9660 allows eight levels, the root being the first.
constexpr int kFolderLevelLimit = 8;
// The longest path below the medium's root, in UTF-16 characters: with a drive's "E:\" and
// the final null it fills Windows' MAX_PATH of 260.
constexpr std::size_t kPathLimit = 256;
// Folders are numbered in 16 bits in the path tables, the root the first.
constexpr std::size_t kFolderCountLimit = 65535;
// A file's size is recorded in 32 bits: 4 GiB and more do not fit.
constexpr std::uint64_t kFileSizeLimit = 0xFFFFFFFFull;

struct ImageOptions {
    std::u16string label;    // the volume label wanted; empty gives "CDROM"
    bool fixedTime = false;  // true: every entry and the volume get `time`
    std::int64_t time = 0;   // seconds since 1970-01-01 UTC
};

// Something in the tree the image cannot hold.
struct ImageRefusal {
    std::string path;    // below the medium's root, "\"-separated, UTF-8
    std::string reason;  // "is longer than 64 characters, ..."
};

// One folder or file of the plan.
struct PlannedNode {
    const ImageEntry* entry = nullptr;
    std::size_t parent = 0;  // the folder it lies in; the root is its own parent
    std::string isoName;     // "NAME.EXT;1" for a file, "NAME" for a folder
    std::vector<std::size_t> isoOrder, jolietOrder;   // a folder's entries in each tree's order
    std::uint32_t isoSector = 0, isoBytes = 0;        // a folder's records in the ISO 9660 tree
    std::uint32_t jolietSector = 0, jolietBytes = 0;  // and in the Joliet tree
    std::uint32_t isoNumber = 0, jolietNumber = 0;    // a folder's number in the path tables
    std::uint32_t dataSector = 0;                     // a file's bytes; 0 for an empty file
};

struct ImagePlan {
    std::vector<ImageRefusal> refusals;  // empty when the image can be written
    VolumeLabel label;
    std::int64_t volumeTime = 0;  // the volume's dates: the fixed time or the newest entry's

    std::vector<PlannedNode> nodes;                      // nodes[0] is the root
    std::vector<std::size_t> isoFolders, jolietFolders;  // folders in path table order
    std::vector<std::size_t> filesInDataOrder;
    std::uint32_t isoPathTableBytes = 0, jolietPathTableBytes = 0;
    std::uint32_t isoPathTableSector = 0, jolietPathTableSector = 0;  // the L table; M follows
    std::uint32_t pathTableSectors = 0;  // the sectors each path table takes
    std::uint32_t sectorCount = 0;       // the whole image

    bool writable() const { return refusals.empty(); }
    std::uint64_t imageBytes() const { return std::uint64_t{sectorCount} * kSectorSize; }
    // The time recorded for `entry`.
    std::int64_t timeOf(const ImageEntry& entry) const;

    bool fixed = false;
};

// Lays out `root` (a folder). The plan points into `root`, which must outlive it.
ImagePlan planImage(const ImageEntry& root, const ImageOptions& options);
