// The menu program on a medium: the program that carries the menu's picture
// (IDB_BACKGROUND) and window (IDD_MENU), whatever its name, and the picture it shows, read
// from the file without running it.
#pragma once

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

// The same from the resources of `module`: a program loaded as a data file, or a program
// of this process (the tests read their own copy of the menu's resources this way).
bool readPictureResource(HINSTANCE__* module, Picture& picture, std::string& reason);
