// A check's findings as data: each with its severity, where it belongs, its text and the
// code page the text is in. A finding about a section or key of the menu file also names the
// file and the line the section or key stands on; one about another file or folder names its
// path. The console program prints each as a line, the way compilers print theirs
// (checker/finding_lines.h).
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

class MenuLines;

enum class Severity { Info, Note, Warning, Error };

// Code pages of texts: the system's ANSI code page (CP_ACP), in which paths always are, and
// UTF-8 (CP_UTF8), in which the checker writes what no single code page holds.
constexpr unsigned kAnsiCodePage = 0;
constexpr unsigned kUtf8CodePage = 65001;

// Where a finding belongs: a path, or a section or key of the menu file.
struct Place {
    enum class Kind { Path, Section, Key };

    Place(const std::string& pathText) : path(pathText) {}
    Place(const char* pathText) : path(pathText) {}
    Place(Kind placeKind, const std::string& sectionName, const std::string& keyName, int which)
        : kind(placeKind), section(sectionName), key(keyName), occurrence(which) {}

    Kind kind = Kind::Path;
    std::string path;     // the file or folder; for places in the menu file, the menu file
    std::string section;  // for places in the menu file
    std::string key;      // for a key
    int occurrence = 0;   // for a name given more than once: which one, from 0
    int line = 0;         // the line of the menu file it stands on, from 1; 0 for none

    bool inMenuFile() const { return kind != Kind::Path; }
};

// "[section] key", "[section]", or the path.
std::string placeText(const Place& place);

// A change to the menu file that mends a finding: key `key` of section `section` set to one
// of `values`, which the author picks from. Names and values are in the finding's code page.
struct Fix {
    std::string section;
    std::string key;
    std::vector<std::string> values;
};

struct Finding {
    Severity severity;
    Place place;
    std::string text;
    // The code page of the text and of the place's section and key: the code page of the
    // systems a section is judged for (1251 for a Russian section), kUtf8CodePage, or
    // kAnsiCodePage.
    unsigned codePage;
    // What mends it, when the checker knows; the text says the same in words.
    std::optional<Fix> fix;
};

// The severity as the checker's lines name it: "info", "note", "warning", "error".
const char* severityName(Severity severity);

// How many of `findings` have `severity`.
int countOf(const std::vector<Finding>& findings, Severity severity);

// 0 when nothing is wrong, 1 for warnings only, 2 when there is an error. Notes and infos
// never change it.
int exitCode(const std::vector<Finding>& findings);

// Collects the findings of a check.
class Report {
public:
    // The menu file that places in it belong to, and where its lines stand. `lines` must
    // outlive the report's use.
    void setMenuFile(const std::string& path, const MenuLines* lines);

    void info(const Place& where, const std::string& text);
    void note(const Place& where, const std::string& text);
    void warning(const Place& where, const std::string& text);
    void error(const Place& where, const std::string& text);

    // The code page of the place and text of the findings that follow; kAnsiCodePage at
    // first.
    void setTextCodePage(unsigned codePage) { codePage_ = codePage; }
    unsigned textCodePage() const { return codePage_; }

    // Ends the text of finding `index` with "; " and `words`, and gives it `fix`. Does
    // nothing for an index past the findings.
    void addSuggestion(std::size_t index, const std::string& words, std::optional<Fix> fix);

    int warningCount() const { return countOf(findings_, Severity::Warning); }
    int errorCount() const { return countOf(findings_, Severity::Error); }

    const std::vector<Finding>& findings() const { return findings_; }

private:
    void add(Severity severity, const Place& where, const std::string& text);

    unsigned codePage_ = kAnsiCodePage;
    std::string menuFile_;
    const MenuLines* lines_ = nullptr;
    std::vector<Finding> findings_;
};

// "[section] key" and "[section]" in the menu file; `occurrence` picks the line of a name
// given more than once (0 for the first).
Place keyPlace(const std::string& section, const std::string& key, int occurrence = 0);
Place sectionPlace(const std::string& section, int occurrence = 0);

// `text` in double quotes.
std::string quoted(const std::string& text);
