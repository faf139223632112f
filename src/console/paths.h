// Paths as the tools hand them to the system, written once for all of them: wide text
// throughout, made full before the system sees them.
#pragma once

#include <string>

// The folder of `path`, ending in its separator; empty for a bare name.
std::wstring folderOf(const std::wstring& path);

// `path` made full against the current folder (GetFullPathName); empty when the system
// cannot make it full.
std::wstring fullPathOf(const std::wstring& path);

// This program's own full path (GetModuleFileName, however long); empty when the system
// cannot tell it.
std::wstring programPath();
