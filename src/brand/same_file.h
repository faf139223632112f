// Whether two paths name the same file.
#pragma once

#include <string>

// True when `a` and `b` name the same file: the same full path (letter case aside), or,
// when both exist, the same file on the same volume (links and other spellings included).
bool sameFile(const std::string& a, const std::string& b);
