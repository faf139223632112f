// Which systems read a section of a menu file, told from its name as the document holds it,
// and so the code page its lines are written in when the file is ANSI.
#pragma once

#include <string>

#include "checker/section_check.h"

// How the menu takes the section named `name` (classifySection); a name outside ASCII is
// no section the menu or Windows reads.
SectionClass classifyDocumentSection(const std::u16string& name);

// The code page of the systems that read the section named `name`: a language section's
// (codePageForLanguageIndex), 1252 for every other section and, with an empty name, for
// the lines before the first section.
unsigned sectionCodePage(const std::u16string& name);
