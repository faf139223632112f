#include "checker/menu_lines.h"

#include "checker/near_name.h"
#include "checker/value_text.h"

void MenuLines::read(const std::string& text) {
    lines_.clear();
    sections_.clear();
    texts_.clear();
    int number = 0;
    int section = -1;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(start, end - start);
        start = end + 1;
        ++number;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        // A byte-order mark before the first section.
        if (number == 1 && line.compare(0, 3, "\xEF\xBB\xBF") == 0) line.erase(0, 3);
        texts_.push_back(line);
        line = trimmed(line);
        if (line.empty() || line[0] == ';') continue;
        if (line[0] == '[') {
            const std::size_t close = line.find(']');
            sections_.push_back(trimmed(
                line.substr(1, close == std::string::npos ? std::string::npos : close - 1)));
            section = static_cast<int>(sections_.size()) - 1;
            lines_.push_back({number, section, true, sections_.back()});
            continue;
        }
        const std::size_t equals = line.find('=');
        lines_.push_back({number, section, false,
                          trimmed(equals == std::string::npos ? line : line.substr(0, equals))});
    }
}

int MenuLines::firstSection(const std::string& section) const {
    for (std::size_t i = 0; i < sections_.size(); ++i) {
        if (sameName(sections_[i], section)) return static_cast<int>(i);
    }
    return -1;
}

int MenuLines::sectionLine(const std::string& section, int occurrence) const {
    for (const Line& line : lines_) {
        if (line.isSection && sameName(line.name, section) && occurrence-- == 0) return line.number;
    }
    return 0;
}

int MenuLines::keyLine(const std::string& section, const std::string& key, int occurrence) const {
    const int index = firstSection(section);
    if (index < 0) return 0;
    for (const Line& line : lines_) {
        if (!line.isSection && line.sectionIndex == index && sameName(line.name, key) &&
            occurrence-- == 0) {
            return line.number;
        }
    }
    return 0;
}

std::vector<std::pair<int, std::string>> MenuLines::keysOf(const std::string& section) const {
    std::vector<std::pair<int, std::string>> keys;
    const int index = firstSection(section);
    for (const Line& line : lines_) {
        if (!line.isSection && line.sectionIndex == index && index >= 0)
            keys.emplace_back(line.number, line.name);
    }
    return keys;
}

std::string MenuLines::text(int number) const {
    return number >= 1 && number <= static_cast<int>(texts_.size()) ? texts_[number - 1]
                                                                    : std::string();
}
