// One line of a profile file as the document keeps it: its text, its bytes where the file
// is ANSI, and the line break that ends it.
#pragma once

#include <string>

enum class LineEnding { None, CrLf, Lf, Cr };

struct ProfileLine {
    // The line as the profile reader reads it, without its line break.
    std::u16string text;
    // ANSI files only: the line's bytes without its line break, exactly as they are written
    // (the text is decoded from them). Empty in UTF-16 files.
    std::string bytes;
    // None only for a last line that has no line break.
    LineEnding ending = LineEnding::None;
};

// The characters of `ending`: "\r\n", "\n", "\r" or "".
const char* lineEndingText(LineEnding ending);
