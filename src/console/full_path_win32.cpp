#include "console/full_path.h"

#include <windows.h>

#include <vector>

bool fullPath(const std::string& path, std::string& full) {
    full.clear();
    if (path.empty()) {
        SetLastError(ERROR_INVALID_NAME);
        return false;
    }
    // The first call tells the size the path needs, its terminating null included.
    DWORD size = GetFullPathNameA(path.c_str(), 0, nullptr, nullptr);
    if (size == 0) return false;
    std::vector<char> buffer(size);
    const DWORD length = GetFullPathNameA(path.c_str(), size, buffer.data(), nullptr);
    if (length == 0) return false;
    if (length >= size) {
        SetLastError(ERROR_FILENAME_EXCED_RANGE);
        return false;
    }
    full.assign(buffer.data(), length);
    return true;
}
