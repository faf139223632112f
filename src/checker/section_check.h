// Which sections and keys of the menu file the menu reads, and the findings about those it
// never reads.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "checker/profile_scan.h"

class Report;

enum class SectionKind {
    View,      // the look
    Windows,   // [autorun] and the other sections Windows reads: not the menu's business
    Language,  // a section some language leads to
    Unread,    // anything else: the menu never reads it
};

struct SectionClass {
    SectionKind kind;
    std::int32_t languageIndex;  // for Language sections
};

SectionClass classifySection(const std::string& name);

// True for the section numbers a language leads to (every number the language table gives,
// and 0).
bool isLanguageSectionNumber(std::int32_t index);

// Warnings for sections the menu never reads and for sections given twice.
void checkSectionNames(const std::vector<std::string>& names, Report& report);

// Warnings for keys of `section` that the menu never reads (with the likely intended key),
// keys given twice and lines without '=', in a language section or in "View". `lines` are
// the section's lines as the profile reader gives them (sectionLines).
void checkSectionKeys(const std::string& section, bool languageSection,
                      const std::vector<SectionLine>& lines, Report& report);

// The keys of a language section's texts.
constexpr char kTitleKey[] = "Title";
constexpr char kPromptKey[] = "Prompt";

// The keys of a language section and of "View", as the menu reads them.
const std::vector<std::string>& languageKeys();
const std::vector<std::string>& viewKeys();
