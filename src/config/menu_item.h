// One entry of the menu, as loaded from its line in the language section.
#pragma once

#include <cstdint>

class MenuItem {
public:
    // Copies the five texts into blocks of its own, exactly as long as each text, then turns
    // "\n" in its own comment and error text into line breaks. The caller keeps its texts;
    // a null text counts as empty. A copy that cannot be allocated leaves that field empty.
    // There is no destructor: records live until the process ends.
    MenuItem(const char* caption, const char* command, const char* parameters, const char* comment,
             const char* errorText, bool closeFlag);

    // Replaces, from left to right, every backslash directly followed by a lowercase n with
    // one line feed, in place. The text only gets shorter.
    void unescapeLineBreaks(char* target);

    std::int32_t empty;             // 1 when the caption is empty: not drawn, not hit
    std::int32_t closeAfterLaunch;  // 1 when the menu closes after the entry was started
    char* caption;
    char* command;  // what the shell opens; empty starts nothing
    char* parameters;
    char* comment;    // shown in the comment box while the pointer is over the entry
    char* errorText;  // shown when the shell refuses the command; empty shows nothing
};

// Releases the record's own copies of its five texts (never the shared text that stands in
// for a copy that could not be allocated) and leaves the record's fields dangling. Only the
// tools call it; the menu keeps its records until the process ends.
void releaseMenuItemTexts(MenuItem& item);
