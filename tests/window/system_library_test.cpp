// Libraries the menu loads on first use come from the system folder, with and without the
// restricted search (a Windows 7 without its loader update has only the fallback).
#include "window/system_library.h"

#include <windows.h>
#include <gtest/gtest.h>

#include <string>

namespace {

std::string lowerCase(std::string text) {
    CharLowerBuffA(&text[0], static_cast<DWORD>(text.size()));
    return text;
}

// The folder `module` was loaded from, with its trailing separator removed.
std::string folderOf(HMODULE module) {
    char path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameA(module, path, sizeof path);
    const std::string full(path, length);
    return lowerCase(full.substr(0, full.find_last_of('\\')));
}

TEST(SystemLibrary, LoadsFromTheSystemFolderBeforeAndAfterTheSearchIsRestricted) {
    char system[MAX_PATH] = {};
    GetSystemDirectoryA(system, sizeof system);
    // The test process starts unrestricted, as the menu does on a system without
    // SetDefaultDllDirectories; then the menu's own restriction.
    const char* const names[] = {"oleacc.dll", "oleaut32.dll"};
    HMODULE unrestricted = loadSystemLibrary(names[0]);
    ASSERT_NE(nullptr, unrestricted);
    EXPECT_EQ(lowerCase(system), folderOf(unrestricted));

    restrictLibrarySearch();
    HMODULE restricted = loadSystemLibrary(names[1]);
    ASSERT_NE(nullptr, restricted);
    EXPECT_EQ(lowerCase(system), folderOf(restricted));

    EXPECT_EQ(nullptr, loadSystemLibrary("no-such-library-anywhere.dll"));
}

}  // namespace
