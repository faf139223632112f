// Paths for the checker, which takes them in the system's ANSI code page as the menu does.
#pragma once

#include <string>

// `path`, or its short form (GetShortPathName) when the ANSI code page lacks some of its
// characters: short names hold only characters of the system's code pages wherever the
// volume makes them. Empty when neither can be written in the ANSI code page (or the path
// does not exist, so has no short form).
std::wstring ansiSafePath(const std::wstring& path);

// `path` in the ANSI code page, "?" for each character it lacks.
std::string ansiText(const std::wstring& path);

// The menu program in `folder` (ending in a separator): the first program there that
// carries the menu's picture, as the checker finds it, by the path above. Empty when there
// is none, or when the folder's path cannot be given in the ANSI code page at all.
std::wstring menuProgramIn(const std::wstring& folder);
