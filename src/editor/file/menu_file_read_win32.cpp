#include "editor/file/menu_file_read.h"

#include <windows.h>

#include "console/system_error.h"
#include "editor/document/profile_file_kind.h"

ReadOutcome readMenuBytes(const std::wstring& path, std::string& bytes, unsigned long& error) {
    bytes.clear();
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        error = GetLastError();
        return ReadOutcome::Failed;
    }
    ReadOutcome outcome = ReadOutcome::Read;
    LARGE_INTEGER size;
    if (!GetFileSizeEx(file, &size)) {
        error = GetLastError();
        outcome = ReadOutcome::Failed;
    } else if (size.QuadPart > static_cast<LONGLONG>(kLargestProfileFile)) {
        outcome = ReadOutcome::TooLarge;
    } else {
        bytes.resize(static_cast<std::size_t>(size.QuadPart));
        std::size_t done = 0;
        while (done < bytes.size()) {
            DWORD got = 0;
            if (!ReadFile(file, &bytes[done], static_cast<DWORD>(bytes.size() - done), &got,
                          nullptr)) {
                error = GetLastError();
                outcome = ReadOutcome::Failed;
                break;
            }
            // The file got shorter since its size was taken.
            if (got == 0) break;
            done += got;
        }
        bytes.resize(outcome == ReadOutcome::Read ? done : 0);
    }
    CloseHandle(file);
    return outcome;
}

std::wstring unreadableWords(const std::wstring& path, unsigned long error) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    std::wstring why = L"Windows cannot read it";
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        why = L"it is a folder, not a file";
    } else if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) {
        why = L"it does not exist";
    } else if (error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION) {
        why = L"another program has it open and lets no other program read it";
    } else if (error == ERROR_ACCESS_DENIED) {
        why = L"this user may not read it";
    }
    return why + L" (" + systemErrorWords(error) + L")";
}
