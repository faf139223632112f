// The checker's output, one line per finding, the way compilers print theirs:
// "E:\autorun.inf:14: warning: [View] FontColour: the menu never reads this key". A finding
// about a section or key of the menu file starts with the file and the line it stands on
// (the file alone when it has no line), then the severity, then where in the file; a
// finding about another file or folder starts with its path. The worst finding gives the
// exit code; notes and infos never change it.
#pragma once

#include <string>

class MenuLines;

// Where a finding belongs: a path, or a section or key of the menu file.
struct Place {
    Place(const std::string& path) : text(path) {}
    Place(const char* path) : text(path) {}
    Place(const std::string& placeText, const std::string& sectionName, const std::string& keyName,
          int which)
        : text(placeText),
          section(sectionName),
          key(keyName),
          occurrence(which),
          inMenuFile(true) {}

    std::string text;     // the path, or "[section] key" / "[section]"
    std::string section;  // for places in the menu file
    std::string key;      // empty for a whole section
    int occurrence = 0;   // for a name given more than once: which one, from 0
    bool inMenuFile = false;
};

class Report {
public:
    explicit Report(bool quiet);

    // The menu file that places in it belong to, and where its lines stand. `lines` must
    // outlive the report's use.
    void setMenuFile(const std::string& path, const MenuLines* lines);

    void info(const Place& where, const std::string& text);
    void note(const Place& where, const std::string& text);
    void warning(const Place& where, const std::string& text);
    void error(const Place& where, const std::string& text);

    // The code page of the place and text of the lines that follow (1251 for a Russian
    // section, CP_UTF8 for text the checker writes in UTF-8); paths are always in the
    // system's ANSI code page. Every line is written as characters: wide to a console,
    // UTF-8 to a pipe or file.
    void setTextCodePage(unsigned codePage) { codePage_ = codePage; }
    unsigned textCodePage() const { return codePage_; }

    int warningCount() const { return warnings_; }
    int errorCount() const { return errors_; }

    // 0 when nothing is wrong, 1 for warnings only, 2 when there is an error.
    int exitCode() const { return errors_ > 0 ? 2 : warnings_ > 0 ? 1 : 0; }

private:
    void write(const char* severity, const Place& where, const std::string& text);

    bool quiet_;
    unsigned codePage_;
    std::string menuFile_;
    const MenuLines* lines_ = nullptr;
    int warnings_ = 0;
    int errors_ = 0;
};

// "[section] key" and "[section]" in the menu file; `occurrence` picks the line of a name
// given more than once (0 for the first).
Place keyPlace(const std::string& section, const std::string& key, int occurrence = 0);
Place sectionPlace(const std::string& section, int occurrence = 0);

// `text` in double quotes.
std::string quoted(const std::string& text);
