// The checker's output: one line per finding, "info:", "warning:" or "error:", then where
// in the menu file (such as "[View] FontSize" or "[0]"), then the finding. The worst
// finding gives the exit code.
#pragma once

#include <string>

class Report {
public:
    explicit Report(bool quiet);

    void info(const std::string& where, const std::string& text);
    void warning(const std::string& where, const std::string& text);
    void error(const std::string& where, const std::string& text);

    // The code page of texts from the menu file in the lines that follow (1251 for the
    // Russian section); used only when the lines go to a console.
    void setTextCodePage(unsigned codePage) { codePage_ = codePage; }

    int warningCount() const { return warnings_; }
    int errorCount() const { return errors_; }

    // 0 when nothing is wrong, 1 for warnings only, 2 when there is an error.
    int exitCode() const { return errors_ > 0 ? 2 : warnings_ > 0 ? 1 : 0; }

private:
    void write(const char* severity, const std::string& where, const std::string& text);

    bool quiet_;
    unsigned codePage_;
    int warnings_ = 0;
    int errors_ = 0;
};

// "[section] key" and "[section]", the places findings are reported at.
std::string keyPlace(const std::string& section, const std::string& key);
std::string sectionPlace(const std::string& section);

// `text` in double quotes.
std::string quoted(const std::string& text);
