#include "publish/tool/tool_paths.h"

#include <windows.h>

#include "publish/utf16_text.h"

std::wstring longPath(const std::wstring& full) {
    if (full.rfind(L"\\\\?\\", 0) == 0) return full;
    if (full.rfind(L"\\\\", 0) == 0) return L"\\\\?\\UNC\\" + full.substr(2);
    return L"\\\\?\\" + full;
}

std::wstring joinedPath(const std::wstring& folder, const std::wstring& child) {
    if (!folder.empty() && (folder.back() == L'\\' || folder.back() == L'/')) return folder + child;
    return folder + L"\\" + child;
}

static std::wstring withoutTrailingSlash(std::wstring path) {
    while (path.size() > 3 && (path.back() == L'\\' || path.back() == L'/')) path.pop_back();
    return path;
}

bool liesWithin(const std::wstring& inner, const std::wstring& outer) {
    const std::wstring a = withoutTrailingSlash(inner);
    const std::wstring b = withoutTrailingSlash(outer);
    if (a.size() < b.size()) return false;
    if (CompareStringOrdinal(a.c_str(), static_cast<int>(b.size()), b.c_str(),
                             static_cast<int>(b.size()), TRUE) != CSTR_EQUAL) {
        return false;
    }
    return a.size() == b.size() || a[b.size()] == L'\\' || b.back() == L'\\';
}

std::wstring lastPart(const std::wstring& full) {
    const std::wstring path = withoutTrailingSlash(full);
    const std::size_t slash = path.find_last_of(L"\\/");
    if (slash == std::wstring::npos || slash + 1 >= path.size()) return std::wstring();
    if (path.size() <= 3 && path[1] == L':') return std::wstring();
    return path.substr(slash + 1);
}

std::wstring parentOf(const std::wstring& full) {
    const std::size_t slash = full.find_last_of(L"\\/");
    if (slash == std::wstring::npos) return std::wstring();
    if (slash == 2 && full[1] == L':') return full.substr(0, 3);
    return full.substr(0, slash);
}

std::string utf8Of(const std::wstring& text) {
    return utf8FromUtf16(std::u16string(text.begin(), text.end()));
}

std::wstring wideOf(const std::string& utf8) { return wideOf(utf16FromUtf8(utf8)); }

std::u16string u16Of(const std::wstring& text) { return std::u16string(text.begin(), text.end()); }

std::wstring wideOf(const std::u16string& text) { return std::wstring(text.begin(), text.end()); }
