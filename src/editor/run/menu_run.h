// Run (F5): the real menu started on the medium being edited, the way it starts from the
// medium itself.
#pragma once

#include <windows.h>

#include <string>

// A run that has started.
struct MenuRun {
    DWORD processId = 0;
    // The letter the folder is mapped to for the run, such as L'Q'; 0 when the menu
    // started where it lies (the root of a drive or share).
    wchar_t drive = 0;
    std::wstring program;  // the program as started, such as L"Q:\autorun-menu.exe"
};

// Starts the menu program `program` that lies beside `menuFile` (autorun.inf), from the
// root of its medium with that root as its current folder, as Windows starts it from a
// disc. The menu takes the root of the drive it starts from as the medium's root, so a
// folder that is not the root of a drive or share (or whose path the menu could not read
// in the system's code page) is mapped to a free drive letter for the run, as `subst` maps
// one, and the menu starts from there. The menu reads the file as it is on disk.
//
// When the menu has ended, `doneMessage` is posted to `notify` (if not null): wParam is the
// menu's exit code, lParam 0. The mapping outlives the menu, since the programs its entries
// started may still need the letter (an entry that closes the menu ends it at once): it is
// removed by the next run or by endMenuRuns. Programs that ask for administrator rights run
// in another logon session, which has drive letters of its own and cannot see it.
//
// False, with the reason for the author in `error`, when nothing was started: the file is
// not the menu's, the program is missing, a menu runs already (only one runs at a time),
// or no drive letter could be mapped. Nothing is left mapped then.
bool startMenuRun(const std::wstring& menuFile, const std::wstring& program, HWND notify,
                  UINT doneMessage, MenuRun& run, std::wstring& error);

// Removes the drive letter the last run mapped, if any. False when it could not be removed
// (it then stays until the user logs off, as a `subst` drive does).
bool endMenuRuns();
