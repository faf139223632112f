// Paths made full before the system sees them: a relative name given to LoadLibraryEx is
// looked for along the program search path (the tool's own folder first), while files are
// opened relative to the current folder, so the two could name different files.
#pragma once

#include <string>

// `path` made full against the current folder (GetFullPathName), in `full`. False when the
// system cannot make it full; GetLastError tells why.
bool fullPath(const std::string& path, std::string& full);
