// Texts and paths between the editor's wide strings and the menu's code-page strings, and
// the files a new medium starts with.
//
// One policy for paths: the editor's own file calls are all wide. The checker and the menu
// take paths in the system's ANSI code page; a path that code page cannot hold goes to them
// as its short form where the volume has one, and otherwise not at all (ansi_path.h). No
// path is ever converted with a stand-in or a look-alike character.
#pragma once

#include <windows.h>

#include <string>

// `text` in code page `codePage` (the system's ANSI code page by default) as wide text.
std::wstring wideOf(const std::string& text, unsigned codePage = CP_ACP);

// The folder of `path`, ending in its separator; empty when it has none.
std::wstring folderOf(const std::wstring& path);

// The full path of `path`; `path` itself when the platform cannot make one.
std::wstring fullPathOf(const std::wstring& path);

// The menu program in `folder` (ending in a separator): the first program there that
// carries the menu's picture, as the checker finds it. Empty when there is none, or when
// the folder's path cannot be given to the checker (see above).
std::wstring menuProgramIn(const std::wstring& folder);

// The name of colour `number` of the menu's colour table, such as "navy".
const wchar_t* colourName(int number);

// Writes a new medium into `folder` (ending in a separator): its menu file (UTF-16, the
// sample's [autorun], [View] and [0], labelled with the folder's name), the notes its first
// entry opens (unless the folder has a readme.txt) and the menu program that ships (the
// x86 one). False, with the reason in `problem` and nothing it wrote left behind, when one
// cannot be written.
bool writeNewMedium(HINSTANCE instance, const std::wstring& folder, std::wstring& problem);
