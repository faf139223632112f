// The menu program on a medium: the program that carries the menu's picture
// (IDB_BACKGROUND) and window (IDD_MENU), whatever its name, and the picture it shows, read
// from the file without running it.
#pragma once

#include <cstddef>
#include <string>

#include "checker/contrast.h"

struct HINSTANCE__;

// True when `program` is a program file that carries the menu's picture and window.
bool carriesMenuPicture(const std::string& program);

// The first program (by name) in `folder` (ending in a separator) that carries the menu's
// picture; empty when there is none.
std::string findMenuProgram(const std::string& folder);

// The picture of `program` as the menu shows it. False, with the reason, when the program
// cannot be read or its picture is not a bitmap the menu can show.
bool readMenuPicture(const std::string& program, Picture& picture, std::string& reason);

// The picture the packed bitmap of `size` bytes at `bitmap` shows (a bitmap resource's
// bytes: its header, colour table and pixels), drawn as the menu draws it. False when it
// is not an uncompressed bitmap the platform draws; `picture` is then unchanged.
bool pictureFromBitmap(const void* bitmap, std::size_t size, Picture& picture);

// The same from the resources of `module`: a program loaded as a data file, or a program
// of this process (the tests read their own copy of the menu's resources this way).
bool readPictureResource(HINSTANCE__* module, Picture& picture, std::string& reason);
