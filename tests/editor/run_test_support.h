// What the tests of the editor's Run share: wide paths of the test folders, and the drive
// letters that lead to a folder.
#pragma once

#include <windows.h>

#include <string>

// `text` (ASCII or the system's code page) as UTF-16.
inline std::wstring wide(const std::string& text) {
    if (text.empty()) return {};
    const int size =
        MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring result(static_cast<std::size_t>(size), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), &result[0], size);
    return result;
}

inline bool runningUnderWine() {
    return GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr;
}

// Every drive letter, from A to Z, that Windows maps to `folder` (ending in a backslash)
// by any of its definitions, as "Q" or "QR"; empty when none does.
inline std::wstring lettersMappedTo(const std::wstring& folder) {
    const std::wstring target = folder.substr(0, folder.size() - 1);
    std::wstring letters;
    for (wchar_t letter = L'A'; letter <= L'Z'; ++letter) {
        const wchar_t device[3] = {letter, L':', L'\0'};
        wchar_t definitions[4096] = {};
        if (QueryDosDeviceW(device, definitions, ARRAYSIZE(definitions)) == 0) continue;
        for (const wchar_t* one = definitions; *one != L'\0'; one += wcslen(one) + 1) {
            const std::wstring definition = one;
            if (definition.size() >= target.size() &&
                CompareStringOrdinal(definition.c_str() + definition.size() - target.size(), -1,
                                     target.c_str(), -1, TRUE) == CSTR_EQUAL) {
                letters += letter;
                break;
            }
        }
    }
    return letters;
}
