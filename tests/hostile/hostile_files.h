// Menu files that no author would write: junk, huge lines and sections, NUL bytes, numbers
// out of range and texts that look like format strings. The menu and the editor are both
// run on each.
#pragma once

#include <string>
#include <vector>

struct HostileFile {
    const char* name;
    std::string content;
};

// Every hostile file. One of them expands %HOSTILE_LONG%, which the tests set to 10,000
// characters.
std::vector<HostileFile> hostileFiles();
