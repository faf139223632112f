#include "test_files.h"

#include <windows.h>

#include <cstdio>
#include <cstring>

#include "state/launcher_state.h"

void removeTree(const std::string& folder) {
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = found.cFileName;
            if (name == "." || name == "..") continue;
            const std::string full = folder + name;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                removeTree(full + "\\");
            } else {
                SetFileAttributesA(full.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileA(full.c_str());
            }
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    RemoveDirectoryA(folder.c_str());
}

TempFolder::TempFolder() {
    static unsigned counter = 0;
    char base[MAX_PATH];
    GetTempPathA(sizeof base, base);
    for (;;) {
        char name[64];
        std::snprintf(name, sizeof name, "autorun-menu-test-%lu-%u\\", GetCurrentProcessId(),
                      ++counter);
        path_ = std::string(base) + name;
        if (CreateDirectoryA(path_.c_str(), nullptr)) break;
    }
}

TempFolder::~TempFolder() { removeTree(path_); }

void writeWholeFile(const std::string& path, const std::string& content) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return;
    DWORD written = 0;
    WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
    CloseHandle(file);
}

std::string readWholeFile(const std::string& path) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return {};
    std::string content;
    char buffer[65536];
    DWORD read = 0;
    while (ReadFile(file, buffer, sizeof buffer, &read, nullptr) && read > 0) {
        content.append(buffer, read);
    }
    CloseHandle(file);
    return content;
}

std::string TempFolder::write(const std::string& name, const std::string& content) const {
    const std::string full = path_ + name;
    writeWholeFile(full, content);
    return full;
}

void resetLauncherState() { launcherState = LauncherState{}; }

void useMenuFile(const TempFolder& folder, const std::string& content) {
    resetLauncherState();
    // A new name each time: the platform may keep the last profile file it read cached,
    // and a rewrite within the same clock tick could go unnoticed.
    static unsigned counter = 0;
    const std::string path = folder.write("menu-" + std::to_string(++counter) + ".inf", content);
    std::snprintf(launcherState.menuFilePath, sizeof launcherState.menuFilePath, "%s",
                  path.c_str());
}
