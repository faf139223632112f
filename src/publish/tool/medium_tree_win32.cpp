#include "publish/tool/medium_tree.h"

#include <windows.h>

#include "console/system_error.h"
#include "publish/tool/tool_paths.h"

namespace {

std::int64_t unixSeconds(const FILETIME& time) {
    const std::uint64_t ticks =
        (std::uint64_t{time.dwHighDateTime} << 32) | std::uint64_t{time.dwLowDateTime};
    // 100-ns ticks since 1601-01-01; 11644473600 seconds lie between 1601 and 1970.
    return static_cast<std::int64_t>(ticks / 10000000) - 11644473600LL;
}

bool readFolder(const std::wstring& folder, const std::wstring& relative, ImageEntry& entry,
                std::vector<ImageRefusal>& refusals, std::string& problem) {
    WIN32_FIND_DATAW found;
    const std::wstring pattern = longPath(joinedPath(folder, L"*"));
    HANDLE search = FindFirstFileW(pattern.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        if (error == ERROR_FILE_NOT_FOUND) return true;  // no entries at all
        problem = utf8Of(folder) + ": cannot be read: " + systemErrorText(error);
        return false;
    }
    bool ok = true;
    do {
        const std::wstring name = found.cFileName;
        if (name == L"." || name == L"..") continue;
        const std::wstring path = relative.empty() ? name : relative + L"\\" + name;
        ImageEntry child;
        child.name = u16Of(name);
        child.hidden = (found.dwFileAttributes & FILE_ATTRIBUTE_HIDDEN) != 0;
        child.time = unixSeconds(found.ftLastWriteTime);
        child.folder = (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        const std::wstring full = joinedPath(folder, name);
        if (child.folder && (found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0) {
            refusals.push_back({utf8Of(path),
                                "is a link to another folder; put the folder itself on the "
                                "medium"});
            continue;
        }
        if (child.folder) {
            if (!readFolder(full, path, child, refusals, problem)) {
                ok = false;
                break;
            }
        } else {
            child.size = (std::uint64_t{found.nFileSizeHigh} << 32) | found.nFileSizeLow;
            child.source = utf8Of(full);
        }
        entry.children.push_back(std::move(child));
    } while (FindNextFileW(search, &found));
    const DWORD error = GetLastError();
    FindClose(search);
    if (ok && error != ERROR_NO_MORE_FILES) {
        problem = utf8Of(folder) + ": cannot be read: " + systemErrorText(error);
        return false;
    }
    return ok;
}

}  // namespace

bool readMediumTree(const std::wstring& full, ImageEntry& root, std::vector<ImageRefusal>& refusals,
                    std::string& problem) {
    root = ImageEntry();
    root.folder = true;
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExW(longPath(full).c_str(), GetFileExInfoStandard, &data)) {
        problem = utf8Of(full) + ": " + systemErrorText(GetLastError());
        return false;
    }
    if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
        problem = utf8Of(full) + " is not a folder";
        return false;
    }
    root.time = unixSeconds(data.ftLastWriteTime);
    return readFolder(full, L"", root, refusals, problem);
}

void countFiles(const ImageEntry& root, std::uint64_t& files, std::uint64_t& bytes) {
    for (const ImageEntry& child : root.children) {
        if (child.folder) {
            countFiles(child, files, bytes);
        } else {
            ++files;
            bytes += child.size;
        }
    }
}
