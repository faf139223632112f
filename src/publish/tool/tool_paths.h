// Paths as the publish tool hands them to the system: full, and with the "\\?\" prefix
// that lets a wide call reach paths longer than MAX_PATH.
#pragma once

#include <string>

#include "console/paths.h"

// A full path with the "\\?\" (or "\\?\UNC\") prefix; a path that has one is kept.
std::wstring longPath(const std::wstring& full);

// `child` joined to `folder` with one backslash.
std::wstring joinedPath(const std::wstring& folder, const std::wstring& child);

// True when full path `inner` is `outer` or lies inside it (letter case aside).
bool liesWithin(const std::wstring& inner, const std::wstring& outer);

// The last part of a full path ("Disc" for "C:\Work\Disc\"); empty for a drive's root.
std::wstring lastPart(const std::wstring& full);

// The folder that holds the full path `full` ("C:\Work" for "C:\Work\a.iso"), without
// the final separator but for a drive's root.
std::wstring parentOf(const std::wstring& full);

// UTF-8 and UTF-16 for the tool's messages.
std::string utf8Of(const std::wstring& text);
std::wstring wideOf(const std::string& utf8);
std::u16string u16Of(const std::wstring& text);
std::wstring wideOf(const std::u16string& text);
