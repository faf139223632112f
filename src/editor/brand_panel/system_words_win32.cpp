#include "editor/brand_panel/system_words.h"

#include <windows.h>

#include <vector>

#include "brand/system_text.h"
#include "checker/menu_encoding.h"
#include "console/console_text.h"

bool systemWordsOf(const std::wstring& text, const wchar_t* what, bool isPath, std::string& ansi,
                   std::wstring& error) {
    if (systemTextFromWide(text, ansi)) return true;
    const unsigned codePage = GetACP();
    error = std::wstring(what) + (isPath ? L" " + text : std::wstring()) +
            L" has characters that this system's code page (" + std::to_wstring(codePage) +
            L") cannot hold";
    // A system on UTF-8 holds every character: only a broken one (a lone surrogate) fails.
    const std::vector<std::string> lacking =
        codePage == CP_UTF8 ? std::vector<std::string>()
                            : charactersOutside(utf8FromWideText(text), codePage);
    for (std::size_t i = 0; i < lacking.size(); ++i)
        error += (i == 0 ? L": " : L" ") + wideFromUtf8(lacking[i]);
    error += isPath ? L". Rename it, or move it to a folder whose name has none of them."
                    : L". Write it with characters of that code page.";
    return false;
}

std::wstring wideFromUtf8(const std::string& text) { return wideFromCodePage(text, CP_UTF8); }
