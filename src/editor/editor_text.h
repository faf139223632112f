// Texts and paths between the editor's wide strings and the menu's code-page strings, and
// the files a new medium starts with.
//
// One policy for paths: the editor's own file calls are all wide (console/paths.h). The
// checker and the menu take paths in the system's ANSI code page; a path that code page
// cannot hold goes to them as its short form where the volume has one, and otherwise not
// at all (findings/ansi_path.h). No path is ever converted with a stand-in or a look-alike
// character.
#pragma once

#include <windows.h>

#include <string>

#include "console/paths.h"

// The editor's name, in its window's title and on its message boxes.
constexpr wchar_t kEditorName[] = L"autorun-menu-edit";

// `text` in code page `codePage` (the system's ANSI code page by default) as wide text.
std::wstring wideOf(const std::string& text, unsigned codePage = CP_ACP);

// The name of colour `number` of the menu's colour table, such as "navy".
const wchar_t* colourName(int number);

// Writes a new medium into `folder` (ending in a separator): its menu file (UTF-16, the
// sample's [autorun], [View] and [0], labelled and titled with the folder's name), the notes its
// first entry opens (unless the folder has a readme.txt) and the menu program that ships (the x86
// one). False, with the reason in `problem` and nothing it wrote left behind, when one cannot be
// written.
bool writeNewMedium(HINSTANCE instance, const std::wstring& folder, std::wstring& problem);
