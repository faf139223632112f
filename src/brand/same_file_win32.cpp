#include "brand/same_file.h"

#include <windows.h>

#include "console/full_path.h"

namespace {

// `path` made full, or as it is when it cannot be.
std::string fullOrAsGiven(const std::string& path) {
    std::string full;
    return fullPath(path, full) ? full : path;
}

bool identity(const std::string& path, BY_HANDLE_FILE_INFORMATION& information) {
    HANDLE file =
        CreateFileA(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    const bool known = GetFileInformationByHandle(file, &information) != 0;
    CloseHandle(file);
    return known;
}

}  // namespace

bool sameFile(const std::string& a, const std::string& b) {
    if (lstrcmpiA(fullOrAsGiven(a).c_str(), fullOrAsGiven(b).c_str()) == 0) return true;
    BY_HANDLE_FILE_INFORMATION first;
    BY_HANDLE_FILE_INFORMATION second;
    return identity(a, first) && identity(b, second) &&
           first.dwVolumeSerialNumber == second.dwVolumeSerialNumber &&
           first.nFileIndexHigh == second.nFileIndexHigh &&
           first.nFileIndexLow == second.nFileIndexLow;
}
