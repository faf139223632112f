#include "editor/editor_text.h"

#include <vector>

#include "console/paths.h"
#include "console/system_error.h"
#include "editor/editor_ids.h"
#include "editor/session/new_medium.h"

std::wstring wideOf(const std::string& text, unsigned codePage) {
    if (text.empty()) return {};
    const int size = static_cast<int>(text.size());
    const int length = MultiByteToWideChar(codePage, 0, text.data(), size, nullptr, 0);
    if (length <= 0) return {};
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(codePage, 0, text.data(), size, &wide[0], length);
    return wide;
}

const wchar_t* colourName(int number) {
    static const wchar_t* const names[] = {
        L"black", L"black",  L"navy",  L"maroon", L"green",  L"blue",
        L"teal",  L"purple", L"olive", L"grey",   L"red",    L"magenta",
        L"lime",  L"yellow", L"cyan",  L"white",  L"silver", L"light grey",
    };
    if (number < 0 || number >= static_cast<int>(sizeof names / sizeof names[0])) return L"";
    return names[number];
}

namespace {

// The menu program that ships: the x86 one beside the x64 editor's folder in the release
// (x86\ and x64\ side by side), else the one beside the editor.
std::wstring shippedMenuProgram() {
    const std::wstring folder = folderOf(programPath());
    for (const wchar_t* place : {L"..\\x86\\autorun-menu.exe", L"autorun-menu.exe"}) {
        const std::wstring candidate = fullPathOf(folder + place);
        if (GetFileAttributesW(candidate.c_str()) != INVALID_FILE_ATTRIBUTES) return candidate;
    }
    return {};
}

}  // namespace

namespace {

// The bytes of resource `id` of `instance`; empty when it has none.
std::string resourceBytes(HINSTANCE instance, int id) {
    HRSRC found = FindResourceW(instance, MAKEINTRESOURCEW(id), RT_RCDATA);
    HGLOBAL loaded = found != nullptr ? LoadResource(instance, found) : nullptr;
    const char* bytes =
        loaded != nullptr ? static_cast<const char*>(LockResource(loaded)) : nullptr;
    const DWORD size = found != nullptr ? SizeofResource(instance, found) : 0;
    return bytes != nullptr ? std::string(bytes, size) : std::string();
}

// The text of a UTF-16 file with its byte-order mark.
std::u16string utf16Text(const std::string& bytes) {
    std::u16string text;
    for (std::size_t i = 2; i + 1 < bytes.size(); i += 2) {
        text += static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                      static_cast<unsigned char>(bytes[i + 1]) << 8);
    }
    return text;
}

// Writes `bytes` as the new file `path`. 0, or the system's error code; a file that was
// made but not written whole is removed.
DWORD writeNew(const std::wstring& path, const std::string& bytes) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return GetLastError();
    DWORD written = 0;
    DWORD error = 0;
    if (!WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr)) {
        error = GetLastError();
    } else if (written != bytes.size()) {
        error = ERROR_WRITE_FAULT;
    }
    CloseHandle(file);
    if (error != 0) DeleteFileW(path.c_str());
    return error;
}

}  // namespace

bool writeNewMedium(HINSTANCE instance, const std::wstring& folder, std::wstring& problem) {
    const std::string sample = resourceBytes(instance, IDR_SAMPLE_MENU);
    const std::string readme = resourceBytes(instance, IDR_SAMPLE_README);
    const std::wstring program = shippedMenuProgram();
    if (sample.empty() || program.empty()) {
        problem =
            L"The sample menu or the menu program (autorun-menu.exe of the release's x86 "
            L"folder) is missing beside the editor.";
        return false;
    }
    const std::u16string where(folder.begin(), folder.end());
    const std::string menu = newMediumDocument(utf16Text(sample), where).toBytes();
    const std::wstring menuFile = folder + L"autorun.inf";
    const std::wstring notes = folder + L"readme.txt";
    const std::wstring menuProgram = folder + L"autorun-menu.exe";
    DWORD error = writeNew(menuFile, menu);
    bool wroteNotes = false;
    if (error == 0 && GetFileAttributesW(notes.c_str()) == INVALID_FILE_ATTRIBUTES) {
        error = writeNew(notes, readme);
        wroteNotes = error == 0;
    }
    // The error is read at once: the calls after a failed copy would replace it.
    if (error == 0 && !CopyFileW(program.c_str(), menuProgram.c_str(), TRUE)) {
        error = GetLastError();
        if (error == ERROR_FILE_EXISTS) error = 0;  // a menu program there already stays
    }
    if (error == 0) return true;
    DeleteFileW(menuFile.c_str());
    if (wroteNotes) DeleteFileW(notes.c_str());
    problem = L"The new medium cannot be written in " + folder + L": " + systemErrorWords(error);
    return false;
}
