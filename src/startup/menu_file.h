// Where the menu file lies (always "autorun.inf" beside the program, whatever the program
// is called) and the root of the medium the program runs from.
#pragma once

#include <cstddef>

// Fills launcherState.menuFilePath and launcherState.mediaRoot from the program's own path.
// True when something (a file or a folder) exists under the menu file path. False, with
// both paths empty, when the program's path is unavailable or too long for the buffers.
bool locateMenuFile();

// Makes the menu file path for the program at `executablePath`: its drive and folder, then
// "autorun.inf". False, leaving `menuFilePath` empty, when the result would not fit into
// `size` bytes.
bool buildMenuFilePath(const char* executablePath, char* menuFilePath, std::size_t size);

// Sets launcherState.mediaRoot from a full path: the drive root such as "D:\", the share
// root such as "\\srv\share\", or empty for any other form.
void computeMediaRoot(const char* path);

// Appends one backslash unless `text` is empty or already ends in a separator. Does
// nothing when `size` bytes leave no room for it.
void appendSeparator(char* text, std::size_t size);

// True when the platform reports attributes for `path` (any file or folder).
bool fileExists(const char* path);
