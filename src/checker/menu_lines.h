// Where sections and keys stand in the menu file, so findings can name their line. Names
// are compared the way the platform's profile parser compares them (ASCII letter case
// ignored), and a key is looked up in the first section of its name, the one that counts.
#pragma once

#include <string>
#include <utility>
#include <vector>

class MenuLines {
public:
    // Reads `text`, the whole file as UTF-8 or in a single-byte-per-ASCII code page (the
    // line breaks and ASCII names are all that count). Lines are numbered from 1.
    void read(const std::string& text);

    // The line of the `occurrence`-th (from 0) section named `section`; 0 when there is none.
    int sectionLine(const std::string& section, int occurrence = 0) const;

    // The line of the `occurrence`-th (from 0) line of key `key` in the first section named
    // `section` (a line without '=' has its whole text as key); 0 when there is none.
    int keyLine(const std::string& section, const std::string& key, int occurrence = 0) const;

    // The key lines of the first section named `section`: line number and key, in order.
    std::vector<std::pair<int, std::string>> keysOf(const std::string& section) const;

    // The whole text of line `number` as read, line break removed; empty outside the file.
    std::string text(int number) const;

private:
    struct Line {
        int number;
        int sectionIndex;  // which section (in file order) the line belongs to; -1 before any
        bool isSection;
        std::string name;  // the section's name or the key
    };
    std::vector<Line> lines_;
    std::vector<std::string> sections_;
    std::vector<std::string> texts_;

    int firstSection(const std::string& section) const;
};
