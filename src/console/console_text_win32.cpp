#include "console/console_text.h"

#include <windows.h>

std::string utf8FromWideText(const std::wstring& wide) {
    if (wide.empty()) return {};
    const int wideLength = static_cast<int>(wide.size());
    const int length =
        WideCharToMultiByte(CP_UTF8, 0, wide.data(), wideLength, nullptr, 0, nullptr, nullptr);
    if (length <= 0) return {};
    std::string text(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), wideLength, &text[0], length, nullptr, nullptr);
    return text;
}

std::string inCodePage(const std::wstring& wide, unsigned codePage, bool* lossy) {
    // UTF-8, also as the system's code page (Windows 10's "Beta: Use Unicode UTF-8"), holds
    // every character: the call then takes no stand-in and no best-fit flag, or it fails.
    if ((codePage == CP_ACP ? GetACP() : codePage) == CP_UTF8) {
        const std::string text = utf8FromWideText(wide);
        if (lossy != nullptr) *lossy = text.empty() && !wide.empty();
        return text;
    }
    BOOL usedDefault = FALSE;
    const int wideLength = static_cast<int>(wide.size());
    const int length = WideCharToMultiByte(codePage, WC_NO_BEST_FIT_CHARS, wide.data(), wideLength,
                                           nullptr, 0, "?", &usedDefault);
    if (length <= 0) {
        if (lossy != nullptr) *lossy = !wide.empty();
        return {};
    }
    std::string text(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(codePage, WC_NO_BEST_FIT_CHARS, wide.data(), wideLength, &text[0], length,
                        "?", &usedDefault);
    if (lossy != nullptr) *lossy = usedDefault != FALSE;
    return text;
}

std::string utf8FromCodePage(const std::string& text, unsigned codePage) {
    return utf8FromWideText(wideFromCodePage(text, codePage));
}

std::wstring wideFromCodePage(const std::string& text, unsigned codePage) {
    if (text.empty()) return {};
    const int length = static_cast<int>(text.size());
    const int wideLength = MultiByteToWideChar(codePage, 0, text.data(), length, nullptr, 0);
    if (wideLength <= 0) {
        // Each byte as the character of its number, never sign-extended.
        std::wstring widened;
        for (const char byte : text)
            widened += static_cast<wchar_t>(static_cast<unsigned char>(byte));
        return widened;
    }
    std::wstring wide(static_cast<std::size_t>(wideLength), L'\0');
    MultiByteToWideChar(codePage, 0, text.data(), length, &wide[0], wideLength);
    return wide;
}

void writeConsoleLine(ConsoleStream stream, const std::wstring& line) {
    const std::wstring text = line + L"\r\n";
    HANDLE out =
        GetStdHandle(stream == ConsoleStream::output ? STD_OUTPUT_HANDLE : STD_ERROR_HANDLE);
    DWORD mode = 0;
    DWORD written = 0;
    if (GetConsoleMode(out, &mode)) {
        // A console shows characters of every language when handed them as characters.
        WriteConsoleW(out, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
        return;
    }
    // A pipe or file gets UTF-8, which every editor and terminal reads.
    const std::string bytes = utf8FromWideText(text);
    WriteFile(out, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}

void writeConsoleLines(ConsoleStream stream, const std::string& text, unsigned codePage) {
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        writeConsoleLine(stream, wideFromCodePage(text.substr(start, end - start), codePage));
        start = end + 1;
    }
}
