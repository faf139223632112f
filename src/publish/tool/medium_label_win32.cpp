#include "publish/tool/medium_label.h"

#include <windows.h>

#include "publish/tool/tool_paths.h"

std::wstring mediumLabel(const std::wstring& medium) {
    const std::wstring menuFile = joinedPath(medium, L"autorun.inf");
    wchar_t label[256] = {};
    // The profile reader takes the buffer's size in characters, the final null included.
    GetPrivateProfileStringW(L"autorun", L"label", L"", label, 256, menuFile.c_str());
    if (label[0] != L'\0') return label;
    return lastPart(medium);
}
