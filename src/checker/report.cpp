#include "checker/report.h"

#include <windows.h>

#include <vector>

Report::Report(bool quiet) : quiet_(quiet), codePage_(CP_ACP) {}

void Report::info(const std::string& where, const std::string& text) { write("info", where, text); }

void Report::warning(const std::string& where, const std::string& text) {
    ++warnings_;
    write("warning", where, text);
}

void Report::error(const std::string& where, const std::string& text) {
    ++errors_;
    write("error", where, text);
}

void Report::write(const char* severity, const std::string& where, const std::string& text) {
    if (quiet_) return;
    const std::string line = std::string(severity) + ": " + where + ": " + text + "\r\n";
    HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
    DWORD mode = 0;
    DWORD written = 0;
    if (GetConsoleMode(out, &mode)) {
        // A console shows its own code page: hand it the text as characters instead.
        const int length = static_cast<int>(line.size());
        const int wideLength = MultiByteToWideChar(codePage_, 0, line.data(), length, nullptr, 0);
        if (wideLength > 0) {
            std::vector<wchar_t> wide(static_cast<std::size_t>(wideLength));
            MultiByteToWideChar(codePage_, 0, line.data(), length, wide.data(), wideLength);
            WriteConsoleW(out, wide.data(), static_cast<DWORD>(wideLength), &written, nullptr);
            return;
        }
    }
    // Redirected output gets the file's bytes as they are.
    WriteFile(out, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
}

std::string keyPlace(const std::string& section, const std::string& key) {
    return "[" + section + "] " + key;
}

std::string sectionPlace(const std::string& section) { return "[" + section + "]"; }

std::string quoted(const std::string& text) { return "\"" + text + "\""; }
