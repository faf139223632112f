// Texts and paths between the editor's wide strings and the menu's code-page strings, and
// the files a new medium starts with.
#pragma once

#include <windows.h>

#include <string>

// `text` in code page `codePage` (the system's ANSI code page by default) as wide text.
std::wstring wideOf(const std::string& text, unsigned codePage = CP_ACP);

// `text` in the system's ANSI code page, as the checker takes paths. Characters the code
// page lacks come out as the platform's stand-in, so a path that needs them cannot be
// found by the checker; the editor's own file calls are all wide.
std::string ansiOf(const std::wstring& text);

// The full path of `path`; `path` itself when the platform cannot make one.
std::wstring fullPathOf(const std::wstring& path);

// The name of colour `number` of the menu's colour table, such as "navy".
const wchar_t* colourName(int number);

// Writes the sample's autorun.inf (UTF-16) and the menu program that ships (the x86 one,
// from the editor's own folder) into `folder` (ending in a separator). False, with the
// reason in `problem` and nothing left behind, when either cannot be written.
bool writeNewMedium(HINSTANCE instance, const std::wstring& folder, std::wstring& problem);
