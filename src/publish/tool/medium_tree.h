// The medium's folder read into the tree the image writer and the copy take: every file and
// folder, hidden ones too, with sizes, last-change times and the hidden flag.
#pragma once

#include <string>
#include <vector>

#include "publish/image_plan.h"
#include "publish/image_tree.h"

// Reads the folder `full` (a full path) into `root`. Each file's source is its full path
// (UTF-8). A folder that is a link elsewhere (a junction or symbolic link) is not followed:
// it is named in `refusals`, since the medium would not hold what it points to. False with
// `problem` in words when a folder cannot be read.
bool readMediumTree(const std::wstring& full, ImageEntry& root, std::vector<ImageRefusal>& refusals,
                    std::string& problem);

// The number of files and their bytes in `root`.
void countFiles(const ImageEntry& root, std::uint64_t& files, std::uint64_t& bytes);
