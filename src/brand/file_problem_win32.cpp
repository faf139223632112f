#include "brand/file_problem.h"

#include <windows.h>

#include "console/console_text.h"

std::string systemErrorText(unsigned long error) {
    const std::string number = "system error " + std::to_string(error);
    wchar_t* words = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, error, 0, reinterpret_cast<wchar_t*>(&words), 0, nullptr);
    std::wstring text =
        length > 0 && words != nullptr ? std::wstring(words, length) : std::wstring();
    if (words != nullptr) LocalFree(words);
    // The system's words end in a full stop and a line break.
    while (!text.empty() && (text.back() == L'\r' || text.back() == L'\n' || text.back() == L' ' ||
                             text.back() == L'.'))
        text.pop_back();
    if (text.empty()) return number;
    return utf8FromWideText(text) + " (" + number + ")";
}

std::string unreadableFileText(const std::string& path, unsigned long error) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
        return "is a folder, not a file";
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) return "does not exist";
    if (error == ERROR_FILE_TOO_LARGE) return "is 1 GiB or larger";
    return "cannot be read: " + systemErrorText(error);
}
