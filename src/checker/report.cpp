#include "checker/report.h"

#include <windows.h>

#include "checker/menu_lines.h"

namespace {

std::wstring wideText(const std::string& text, unsigned codePage) {
    if (text.empty()) return {};
    const int length = static_cast<int>(text.size());
    const int wideLength = MultiByteToWideChar(codePage, 0, text.data(), length, nullptr, 0);
    if (wideLength <= 0) return std::wstring(text.begin(), text.end());
    std::wstring wide(static_cast<std::size_t>(wideLength), L'\0');
    MultiByteToWideChar(codePage, 0, text.data(), length, &wide[0], wideLength);
    return wide;
}

std::string utf8Text(const std::wstring& wide) {
    if (wide.empty()) return {};
    const int wideLength = static_cast<int>(wide.size());
    const int length =
        WideCharToMultiByte(CP_UTF8, 0, wide.data(), wideLength, nullptr, 0, nullptr, nullptr);
    if (length <= 0) return {};
    std::string text(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), wideLength, &text[0], length, nullptr, nullptr);
    return text;
}

}  // namespace

Report::Report(bool quiet) : quiet_(quiet), codePage_(CP_ACP) {}

void Report::setMenuFile(const std::string& path, const MenuLines* lines) {
    menuFile_ = path;
    lines_ = lines;
}

void Report::info(const Place& where, const std::string& text) { write("info", where, text); }

void Report::note(const Place& where, const std::string& text) { write("note", where, text); }

void Report::warning(const Place& where, const std::string& text) {
    ++warnings_;
    write("warning", where, text);
}

void Report::error(const Place& where, const std::string& text) {
    ++errors_;
    write("error", where, text);
}

void Report::write(const char* severity, const Place& where, const std::string& text) {
    if (quiet_) return;
    std::wstring line;
    if (where.inMenuFile) {
        int number = 0;
        if (lines_ != nullptr) {
            number = where.key.empty()
                         ? lines_->sectionLine(where.section, where.occurrence)
                         : lines_->keyLine(where.section, where.key, where.occurrence);
            // A key that is missing belongs to its section's heading.
            if (number == 0 && !where.key.empty()) number = lines_->sectionLine(where.section);
        }
        line = wideText(menuFile_, CP_ACP) +
               (number > 0 ? L":" + std::to_wstring(number) : std::wstring()) + L": " +
               wideText(severity, CP_ACP) + L": " + wideText(where.text + ": " + text, codePage_);
    } else {
        line = wideText(where.text, CP_ACP) + L": " + wideText(severity, CP_ACP) + L": " +
               wideText(text, codePage_);
    }
    line += L"\r\n";

    HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
    DWORD mode = 0;
    DWORD written = 0;
    if (GetConsoleMode(out, &mode)) {
        // A console shows characters of every language when handed them as characters.
        WriteConsoleW(out, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
        return;
    }
    // A pipe or file gets UTF-8, which every editor and terminal reads.
    const std::string bytes = utf8Text(line);
    WriteFile(out, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}

Place keyPlace(const std::string& section, const std::string& key, int occurrence) {
    return Place("[" + section + "] " + key, section, key, occurrence);
}

Place sectionPlace(const std::string& section, int occurrence) {
    return Place("[" + section + "]", section, std::string(), occurrence);
}

std::string quoted(const std::string& text) { return "\"" + text + "\""; }
