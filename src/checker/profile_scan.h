// The menu file as the platform's own profile parser sees it, read without the size limits
// of the menu's buffers, so the checker also sees what the menu would cut off. Everything
// reads launcherState.menuFilePath.
#pragma once

#include <string>
#include <vector>

#include "checker/value_text.h"

// The names of all sections in file order; a section given twice is listed twice.
std::vector<std::string> sectionNames();

// One line of a section: the key (blanks around it removed), or the whole line when it
// holds no '='.
struct SectionLine {
    std::string key;
    bool hasEquals;
};

// The lines of the first section of that name, comment lines left out.
std::vector<SectionLine> sectionLines(const std::string& section);

// The key's whole value; empty when the key is missing or has no value.
std::string rawValue(const std::string& section, const std::string& key);
