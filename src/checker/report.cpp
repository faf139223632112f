#include "checker/report.h"

#include <windows.h>

#include "checker/menu_lines.h"
#include "console/console_text.h"

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
        line = wideFromCodePage(menuFile_, CP_ACP) +
               (number > 0 ? L":" + std::to_wstring(number) : std::wstring()) + L": " +
               wideFromCodePage(severity, CP_ACP) + L": " +
               wideFromCodePage(where.text + ": " + text, codePage_);
    } else {
        line = wideFromCodePage(where.text, CP_ACP) + L": " + wideFromCodePage(severity, CP_ACP) +
               L": " + wideFromCodePage(text, codePage_);
    }
    writeConsoleLine(ConsoleStream::output, line);
}

Place keyPlace(const std::string& section, const std::string& key, int occurrence) {
    return Place("[" + section + "] " + key, section, key, occurrence);
}

Place sectionPlace(const std::string& section, int occurrence) {
    return Place("[" + section + "]", section, std::string(), occurrence);
}

std::string quoted(const std::string& text) { return "\"" + text + "\""; }
