#include "console/system_error.h"

#include <windows.h>

#include "console/console_text.h"

std::wstring systemErrorWords(unsigned long error) {
    const std::wstring number = L"system error " + std::to_wstring(error);
    wchar_t* words = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, error, 0, reinterpret_cast<wchar_t*>(&words), 0, nullptr);
    std::wstring text =
        length > 0 && words != nullptr ? std::wstring(words, length) : std::wstring();
    if (words != nullptr) LocalFree(words);
    // The system's words end in a full stop and a line break.
    while (!text.empty() && (text.back() == L'\r' || text.back() == L'\n' || text.back() == L' ' ||
                             text.back() == L'.'))
        text.pop_back();
    if (text.empty()) return number;
    return text + L" (" + number + L")";
}

std::string systemErrorText(unsigned long error) {
    return utf8FromWideText(systemErrorWords(error));
}
