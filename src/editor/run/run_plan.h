// What a run of the menu needs to know before anything starts: whether the menu file and
// its program can run as they will from the medium, and which drive letters a folder may
// borrow for the run. No Win32 call: tested on every target.
#pragma once

#include <cstdint>
#include <string>

// The menu file and the program of a run, taken apart.
struct MenuRunFiles {
    std::wstring folder;       // the menu file's folder, ending in a backslash
    std::wstring programName;  // the program's file name
};

// Takes apart `menuFile` and `program`, both full paths. False, with the reason for the
// author, when the menu could not show this file: it is not named autorun.inf (the menu
// reads no other name), or the program does not lie in the same folder (the menu reads the
// autorun.inf beside itself). Names are compared with ASCII letters in either case.
bool menuRunFiles(const std::wstring& menuFile, const std::wstring& program, MenuRunFiles& files,
                  std::wstring& error);

// The drive letters a run may map, in the order they are tried: Z down to D, leaving out
// those set in `usedDrives` (bit 0 for A:, as GetLogicalDrives reports them). A and B are
// the floppy drives' and C the system's, whether present or not.
std::wstring mappableDriveLetters(std::uint32_t usedDrives);

// The path a drive letter is mapped to for `folder` (ending in a backslash): the folder
// without its last backslash, as `subst` takes it.
std::wstring mappingTarget(const std::wstring& folder);
