#include "editor/preview/preview_file.h"

#include <windows.h>

#include "checker/file_encoding.h"
#include "checker/menu_encoding.h"
#include "state/launcher_state.h"

namespace {

// `path` in this system's ANSI code page, as the profile reader opens it; empty when a
// character has no place there or the result would not fit a menu file path.
std::string ansiPath(const std::wstring& path) {
    const UINT codePage = GetACP();
    // UTF-8 takes no default character and no best-fit flag, and holds every character.
    const bool utf8 = codePage == CP_UTF8;
    char text[kPathSize];
    BOOL usedDefault = FALSE;
    const int length =
        WideCharToMultiByte(codePage, utf8 ? 0 : WC_NO_BEST_FIT_CHARS, path.c_str(), -1, text,
                            sizeof text, nullptr, utf8 ? nullptr : &usedDefault);
    if (length <= 0 || usedDefault) return {};
    return text;
}

}  // namespace

std::string bytesAsReadOn(const std::string& fileBytes, unsigned codePage) {
    switch (fileEncoding(fileBytes)) {
        case FileEncoding::Utf16:
            return utf16FileInCodePage(fileBytes, codePage);
        case FileEncoding::Utf8WithMark:
        case FileEncoding::Utf16BigEndian:
            // Lines start after their leading blanks, so the mark stays the first line's.
            return " " + fileBytes;
        case FileEncoding::Utf8:
        case FileEncoding::Ansi:
        case FileEncoding::Utf16WithoutMark:
            break;
    }
    return fileBytes;
}

PreviewFile::~PreviewFile() {
    if (!path_.empty()) DeleteFileW(path_.c_str());
}

bool PreviewFile::make() {
    wchar_t folder[MAX_PATH + 1];
    wchar_t name[MAX_PATH];
    const DWORD length = GetTempPathW(MAX_PATH + 1, folder);
    if (length == 0 || length > MAX_PATH) return false;
    // Makes a new empty file of a name of its own ("amp" and digits, ".tmp").
    if (GetTempFileNameW(folder, L"amp", 0, name) == 0) return false;
    std::string reader = ansiPath(name);
    if (reader.empty()) {
        // A folder name this code page cannot write, as a user name can be: its short form.
        wchar_t shortName[MAX_PATH];
        const DWORD shortLength = GetShortPathNameW(name, shortName, MAX_PATH);
        if (shortLength > 0 && shortLength < MAX_PATH) reader = ansiPath(shortName);
    }
    if (reader.empty()) {
        DeleteFileW(name);
        return false;
    }
    path_ = name;
    readerPath_ = reader;
    return true;
}

bool PreviewFile::write(const std::string& bytes) {
    if (bytes.size() > MAXDWORD) return false;
    if (path_.empty() && !make()) return false;
    HANDLE file = CreateFileW(path_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_TEMPORARY, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    const DWORD size = static_cast<DWORD>(bytes.size());
    const bool ok = WriteFile(file, bytes.data(), size, &written, nullptr) != 0 && written == size;
    return CloseHandle(file) != 0 && ok;
}
