#include "brand/system_text.h"

#include <windows.h>

#include "console/console_text.h"

bool wideFromSystemText(const std::string& text, std::wstring& wide) {
    wide.clear();
    if (text.empty()) return true;
    const int length = MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, text.data(),
                                           static_cast<int>(text.size()), nullptr, 0);
    if (length <= 0) return false;
    wide.assign(static_cast<std::size_t>(length), L'\0');
    if (MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, text.data(),
                            static_cast<int>(text.size()), &wide[0], length) != length) {
        wide.clear();
        return false;
    }
    return true;
}

std::string utf8FromSystemText(const std::string& text) { return utf8FromCodePage(text, CP_ACP); }
