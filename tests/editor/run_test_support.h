// What the tests of the editor's Run share: wide paths, and the drive letters that lead to
// a folder.
#pragma once

#include <windows.h>

#include <string>

#include "console/console_text.h"

inline std::wstring wide(const std::string& path) { return wideFromCodePage(path, CP_ACP); }

inline bool runningUnderWine() {
    return GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr;
}

// The drive letters, A to Z, that any definition maps to `folder` (ending in a backslash),
// such as L"Q"; empty when none does.
inline std::wstring lettersMappedTo(const std::wstring& folder) {
    const std::wstring target = folder.substr(0, folder.size() - 1);
    std::wstring letters;
    for (wchar_t letter = L'A'; letter <= L'Z'; ++letter) {
        const wchar_t device[3] = {letter, L':', L'\0'};
        wchar_t definitions[4096] = {};
        if (QueryDosDeviceW(device, definitions, ARRAYSIZE(definitions)) == 0) continue;
        for (const wchar_t* one = definitions; *one != L'\0'; one += wcslen(one) + 1) {
            const std::size_t length = wcslen(one);
            if (length >= target.size() &&
                CompareStringOrdinal(one + length - target.size(), -1, target.c_str(), -1, TRUE) ==
                    CSTR_EQUAL) {
                letters += letter;
                break;
            }
        }
    }
    return letters;
}
