#include "brand/file_bytes.h"

#include <windows.h>

bool readFileBytes(const std::string& path, Bytes& data) {
    data.clear();
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    LARGE_INTEGER size;
    bool read = GetFileSizeEx(file, &size) != 0 && size.QuadPart < (1 << 30);
    if (read) {
        data.resize(static_cast<std::size_t>(size.QuadPart));
        DWORD got = 0;
        read = data.empty() ||
               (ReadFile(file, data.data(), static_cast<DWORD>(data.size()), &got, nullptr) &&
                got == data.size());
        if (!read) SetLastError(ERROR_READ_FAULT);
    } else if (GetLastError() == 0) {
        SetLastError(ERROR_FILE_TOO_LARGE);
    }
    const DWORD error = GetLastError();
    CloseHandle(file);
    if (!read) data.clear();
    SetLastError(error);
    return read;
}

bool writeFileBytes(const std::string& path, const Bytes& data) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    const bool complete =
        data.empty() ||
        (WriteFile(file, data.data(), static_cast<DWORD>(data.size()), &written, nullptr) &&
         written == data.size());
    const bool closed = CloseHandle(file) != 0;
    return complete && closed;
}
