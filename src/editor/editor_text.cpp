#include "editor/editor_text.h"

#include <vector>

#include "editor/editor_ids.h"

std::wstring wideOf(const std::string& text, unsigned codePage) {
    if (text.empty()) return {};
    const int size = static_cast<int>(text.size());
    const int length = MultiByteToWideChar(codePage, 0, text.data(), size, nullptr, 0);
    if (length <= 0) return {};
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(codePage, 0, text.data(), size, &wide[0], length);
    return wide;
}

std::string ansiOf(const std::wstring& text) {
    if (text.empty()) return {};
    const int size = static_cast<int>(text.size());
    const int length =
        WideCharToMultiByte(CP_ACP, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
    if (length <= 0) return {};
    std::string ansi(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(CP_ACP, 0, text.data(), size, &ansi[0], length, nullptr, nullptr);
    return ansi;
}

std::wstring fullPathOf(const std::wstring& path) {
    const DWORD length = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    if (length == 0) return path;
    std::wstring full(length, L'\0');
    const DWORD written = GetFullPathNameW(path.c_str(), length, &full[0], nullptr);
    if (written == 0 || written >= length) return path;
    full.resize(written);
    return full;
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

// The folder of this program, ending in a separator.
std::wstring ownFolder() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, &path[0], static_cast<DWORD>(path.size()));
        if (length == 0) return {};
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        path.resize(path.size() * 2);
    }
    return path.substr(0, path.find_last_of(L'\\') + 1);
}

// The menu program that ships: the x86 one beside the x64 editor's folder in the release
// (x86\ and x64\ side by side), else the one beside the editor.
std::wstring shippedMenuProgram() {
    const std::wstring folder = ownFolder();
    for (const wchar_t* place : {L"..\\x86\\autorun-menu.exe", L"autorun-menu.exe"}) {
        const std::wstring candidate = fullPathOf(folder + place);
        if (GetFileAttributesW(candidate.c_str()) != INVALID_FILE_ATTRIBUTES) return candidate;
    }
    return {};
}

}  // namespace

bool writeNewMedium(HINSTANCE instance, const std::wstring& folder, std::wstring& problem) {
    HRSRC found = FindResourceW(instance, MAKEINTRESOURCEW(IDR_SAMPLE_MENU), RT_RCDATA);
    HGLOBAL loaded = found != nullptr ? LoadResource(instance, found) : nullptr;
    const void* sample = loaded != nullptr ? LockResource(loaded) : nullptr;
    const DWORD size = found != nullptr ? SizeofResource(instance, found) : 0;
    const std::wstring program = shippedMenuProgram();
    if (sample == nullptr || size == 0 || program.empty()) {
        problem =
            L"The sample menu or the menu program (autorun-menu.exe of the release's x86 "
            L"folder) is missing beside the editor.";
        return false;
    }
    const std::wstring menuFile = folder + L"autorun.inf";
    const std::wstring menuProgram = folder + L"autorun-menu.exe";
    HANDLE file = CreateFileW(menuFile.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD written = 0;
    bool done = file != INVALID_HANDLE_VALUE && WriteFile(file, sample, size, &written, nullptr) &&
                written == size;
    if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
    done = done && (CopyFileW(program.c_str(), menuProgram.c_str(), TRUE) ||
                    GetFileAttributesW(menuProgram.c_str()) != INVALID_FILE_ATTRIBUTES);
    if (!done) {
        const DWORD error = GetLastError();
        if (file != INVALID_HANDLE_VALUE) DeleteFileW(menuFile.c_str());
        wchar_t reason[512] = L"";
        FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error,
                       0, reason, 512, nullptr);
        problem = L"The new medium cannot be written in " + folder + L": " + reason;
        return false;
    }
    return true;
}
