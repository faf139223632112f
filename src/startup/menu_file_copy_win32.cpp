#include "startup/menu_file_copy.h"

#include <windows.h>

#include <cstdlib>
#include <cstring>

#include "config/language.h"
#include "config/mapped_menu_file.h"
#include "config/menu_items.h"
#include "config/view_settings.h"
#include "state/launcher_state.h"

// A menu file larger than this is not copied: no author's file comes near it.
static const DWORD kLargestCopiedFile = 16 * 1024 * 1024;

void readMenuConfiguration() {
    readViewSettings();
    loadLanguageSection();
    loadMenuItems();
}

// The whole file at `path` in a new malloc block, its size in `size`; null when it cannot
// be read or is too large.
static char* readWholeFile(const char* path, DWORD& size) {
    HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return nullptr;
    DWORD high = 0;
    size = GetFileSize(file, &high);
    char* bytes = nullptr;
    if (size != INVALID_FILE_SIZE && high == 0 && size > 0 && size <= kLargestCopiedFile) {
        bytes = static_cast<char*>(std::malloc(size));
        DWORD read = 0;
        if (bytes != nullptr && (!ReadFile(file, bytes, size, &read, nullptr) || read != size)) {
            std::free(bytes);
            bytes = nullptr;
        }
    }
    CloseHandle(file);
    return bytes;
}

// Writes `bytes` into a new file in the temporary folder and puts its path into `copyPath`
// (kPathSize bytes). False, with nothing left behind, when that cannot be done.
static bool writeTemporaryCopy(const char* bytes, DWORD size, char* copyPath) {
    char folder[kPathSize];
    const DWORD length = GetTempPathA(sizeof folder, folder);
    if (length == 0 || length >= sizeof folder) return false;
    // Makes an empty file of a name of its own (never autorun.inf) for the copy.
    if (GetTempFileNameA(folder, "arm", 0, copyPath) == 0) return false;
    HANDLE file = CreateFileA(copyPath, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_TEMPORARY, nullptr);
    bool written = false;
    if (file != INVALID_HANDLE_VALUE) {
        DWORD count = 0;
        written = WriteFile(file, bytes, size, &count, nullptr) && count == size;
        written = CloseHandle(file) && written;
    }
    if (!written) DeleteFileA(copyPath);
    return written;
}

void readMenuFileThroughCopy() {
    if (!menuConfigurationEmpty()) return;
    DWORD size = 0;
    char* bytes = readWholeFile(launcherState.menuFilePath, size);
    if (bytes == nullptr) return;
    char copyPath[kPathSize];
    const bool copied =
        holdsSectionHeading(bytes, size) && writeTemporaryCopy(bytes, size, copyPath);
    std::free(bytes);
    if (!copied) return;

    char menuFilePath[kPathSize];
    std::memcpy(menuFilePath, launcherState.menuFilePath, sizeof menuFilePath);
    std::memcpy(launcherState.menuFilePath, copyPath, sizeof copyPath);
    // What the first read left is what a file without values gives: the defaults, empty
    // texts and empty entries, so reading again over it gives what the copy holds.
    readMenuConfiguration();
    std::memcpy(launcherState.menuFilePath, menuFilePath, sizeof menuFilePath);
    DeleteFileA(copyPath);
}
