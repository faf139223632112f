// The check in its own process: the editor's program started as
// `autorun-menu-edit.exe --findings MENU-FILE ROOT MENU-PROGRAM` (kFindingsOption) runs the
// checker, which works on the menu's one process-wide state, away from the editor's preview.
#pragma once

#include <string>

#include "editor/findings/findings_command.h"

// Checks the menu file `menuFile` and writes the result (encodeCheckResult) to the standard
// output as bytes. `root` is the medium's root, and also where the files beside the menu file
// are looked for ([autorun], the menu program when `program` is empty), since `menuFile` is
// a copy elsewhere; empty: the folder of `menuFile`. `program` is the menu program whose
// picture the captions are measured on. When its standard input is a pipe, it first waits
// there for one byte: the editor starts it ahead of need and writes `menuFile` meanwhile
// (the pipe closing without that byte ends it, checking nothing). Returns 0, or 1 when the
// output cannot be written.
int runFindingsChild(const std::wstring& menuFile, const std::wstring& root,
                     const std::wstring& program);
