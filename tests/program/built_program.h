// The files under test: the built menu program and the helper programs built beside the
// test programs, found relative to the running test program so the tests need no
// knowledge of the build machine.
#pragma once

#include <string>

// The folder of the running test program, ending in a backslash.
std::string testProgramFolder();

// The full path of the built menu program (autorun-menu.exe).
std::string builtProgramPath();

// The full path of a program built beside the test programs, by file name.
std::string siblingProgramPath(const std::string& fileName);

// Copies `from` to `to`, replacing what is there. True on success.
bool copyProgram(const std::string& from, const std::string& to);
