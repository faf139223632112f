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

bool systemTextFromWide(const std::wstring& wide, std::string& text) {
    text.clear();
    if (wide.empty()) return true;
    // A system whose code page is UTF-8 holds every character; it takes neither the
    // best-fit flag nor a default character, and fails a lone surrogate with this flag.
    const bool utf8 = GetACP() == CP_UTF8;
    const DWORD flags = utf8 ? WC_ERR_INVALID_CHARS : WC_NO_BEST_FIT_CHARS;
    const int wideLength = static_cast<int>(wide.size());
    BOOL usedDefault = FALSE;
    BOOL* defaulted = utf8 ? nullptr : &usedDefault;
    const int length =
        WideCharToMultiByte(CP_ACP, flags, wide.data(), wideLength, nullptr, 0, nullptr, defaulted);
    if (length <= 0 || usedDefault) return false;
    text.assign(static_cast<std::size_t>(length), '\0');
    if (WideCharToMultiByte(CP_ACP, flags, wide.data(), wideLength, &text[0], length, nullptr,
                            defaulted) != length ||
        usedDefault) {
        text.clear();
        return false;
    }
    // The bytes must read back as the same characters: a code page's own mapping of a
    // character to another one is no better than a stand-in.
    std::wstring back;
    if (!wideFromSystemText(text, back) || back != wide) {
        text.clear();
        return false;
    }
    return true;
}
