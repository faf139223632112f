// The menu program an author gives the tool, read and recognised.
#pragma once

#include <string>
#include <vector>

#include "brand/pe_header.h"
#include "brand/resource_list.h"
#include "brand/version_info.h"

struct MenuProgram {
    Bytes file;
    PeHeader header;
    std::vector<Resource> resources;
    VersionNode version;
};

// Reads the program at `path` and checks that it is this version of autorun-menu: a
// Windows program with the menu's dialog 103, picture 111, icon group 101, manifest and a
// version block named autorun-menu whose numbers are this tool's. False with a reason for
// the author otherwise.
bool readMenuProgram(const std::string& path, MenuProgram& menu, std::string& reason);
