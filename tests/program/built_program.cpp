#include "built_program.h"

#include <windows.h>

#include <algorithm>

namespace {

std::string fullPath(std::string path) {
    std::replace(path.begin(), path.end(), '/', '\\');
    char full[MAX_PATH];
    const DWORD length = GetFullPathNameA(path.c_str(), sizeof full, full, nullptr);
    if (length == 0 || length >= sizeof full) return path;
    return std::string(full, length);
}

}  // namespace

std::string testProgramFolder() {
    char path[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
    const std::string program(path, length);
    return program.substr(0, program.find_last_of("\\/") + 1);
}

// AUTORUN_MENU_PROGRAM is the program's location relative to this test program's folder,
// given by the build.
std::string builtProgramPath() { return fullPath(testProgramFolder() + AUTORUN_MENU_PROGRAM); }

std::string siblingProgramPath(const std::string& fileName) {
    return testProgramFolder() + fileName;
}

bool copyProgram(const std::string& from, const std::string& to) {
    return CopyFileA(from.c_str(), to.c_str(), FALSE) != 0;
}
