// The menu program an author gives the tool, read and recognised.
#pragma once

#include <string>
#include <vector>

#include "brand/resource.h"
#include "brand/version_info.h"
#include "pe_header/pe_header.h"

struct MenuProgram {
    Bytes file;
    PeHeader header;
    std::vector<Resource> resources;
    VersionNode version;
};

// What reading the menu program came to.
enum class MenuReading {
    read,     // this release's menu, every resource read
    refused,  // not this release's menu, or not readable as a file at all
    failed,   // the menu, but Windows could not read one of its resources
};

// Reads the program at `path` (a full path) and checks that it is this version of
// autorun-menu: a Windows program with the menu's dialog, picture, icon group (resource.h),
// manifest and a version block named autorun-menu whose numbers are this tool's. Any
// other answer than `read` comes with a reason for the author (UTF-8, after the file's
// path).
MenuReading readMenuProgram(const std::string& path, MenuProgram& menu, std::string& reason);
