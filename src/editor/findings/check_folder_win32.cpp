#include "editor/findings/check_folder.h"

#include <windows.h>

#include "console/system_error.h"
#include "editor/findings/ansi_path.h"

namespace {

void removeFile(const std::wstring& path) {
    SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileW(path.c_str());
}

// Removes the files in `folder` (ending in a backslash); the check makes no folders.
void removeFilesIn(const std::wstring& folder) {
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((folder + L"*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return;
    do {
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0)
            removeFile(folder + found.cFileName);
    } while (FindNextFileW(search, &found) != 0);
    FindClose(search);
}

}  // namespace

CheckFolder::~CheckFolder() {
    if (folder_.empty()) return;
    removeFilesIn(temp_);
    RemoveDirectoryW(temp_.c_str());
    removeFile(menuFile_);
    RemoveDirectoryW(folder_.c_str());
}

bool CheckFolder::make(std::string& failure) {
    if (!folder_.empty()) return true;
    wchar_t system[MAX_PATH + 1];
    const DWORD length = GetTempPathW(MAX_PATH + 1, system);
    if (length == 0 || length > MAX_PATH) {
        failure = "the temporary folder is not known: " + systemErrorText(GetLastError());
        return false;
    }
    // The checker takes paths in the ANSI code page: a user name outside it needs the
    // short form.
    std::wstring base = ansiSafePath(std::wstring(system, length));
    if (base.empty()) base.assign(system, length);
    static volatile LONG folders = 0;
    for (int tries = 0; tries < 100; ++tries) {
        const std::wstring folder = base + L"autorun-menu-edit-" +
                                    std::to_wstring(GetCurrentProcessId()) + L"-" +
                                    std::to_wstring(InterlockedIncrement(&folders)) + L"\\";
        if (CreateDirectoryW(folder.c_str(), nullptr) == 0) {
            const DWORD error = GetLastError();
            if (error == ERROR_ALREADY_EXISTS) continue;
            failure = "no folder for the check in the temporary folder: " + systemErrorText(error);
            return false;
        }
        const std::wstring temp = folder + L"temp\\";
        if (CreateDirectoryW(temp.c_str(), nullptr) == 0) {
            failure = "no folder for the check in the temporary folder: " +
                      systemErrorText(GetLastError());
            RemoveDirectoryW(folder.c_str());
            return false;
        }
        folder_ = folder;
        menuFile_ = folder + L"autorun.inf";
        temp_ = temp;
        return true;
    }
    failure = "no new folder for the check in the temporary folder";
    return false;
}

bool CheckFolder::writeMenuFile(const std::string& bytes, std::string& failure) {
    if (!make(failure)) return false;
    HANDLE file = CreateFileW(menuFile_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        failure =
            "the copy of the text to check cannot be written: " + systemErrorText(GetLastError());
        return false;
    }
    std::size_t done = 0;
    DWORD error = 0;
    while (done < bytes.size() && error == 0) {
        const std::size_t left = bytes.size() - done;
        const DWORD chunk = left > 0x100000 ? 0x100000 : static_cast<DWORD>(left);
        DWORD written = 0;
        if (WriteFile(file, bytes.data() + done, chunk, &written, nullptr) == 0) {
            error = GetLastError();
        } else if (written == 0) {
            error = ERROR_WRITE_FAULT;
        }
        done += written;
    }
    CloseHandle(file);
    if (error != 0) {
        failure = "the copy of the text to check cannot be written: " + systemErrorText(error);
        return false;
    }
    return true;
}

void CheckFolder::emptyTemp() const {
    if (!temp_.empty()) removeFilesIn(temp_);
}
