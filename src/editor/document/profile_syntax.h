// How the profile reader (GetPrivateProfileString) takes one line of a profile file. The
// documentation says only that names compare without regard to letter case and that a
// value in single or double quotation marks loses them; the rest is Windows' observed
// behaviour, which this follows:
// - Blanks are space, tab and vertical tab.
// - A line whose first character after blanks is '[' heads a section. The name runs to the
//   first ']' or, lacking one, to the end of the line, blanks around it trimmed; text after
//   the ']' is ignored. A name may be empty ("[]").
// - A line whose first character after blanks is ';' is a comment.
// - Every other line that is not all blanks is a key line. The key is the text before the
//   first '=' with blanks trimmed. The value is the text after it with blanks trimmed, and
//   then, when it is at least two characters long and starts and ends with the same quote
//   (" or '), without that one outer pair; blanks inside the quotes stay.
// - A key line without '=' reads as its whole text (trimmed) being the key with an empty
//   value, as Wine reads it. Whether Windows agrees is not documented; the editor's read
//   back through the platform's reader after saving catches a difference.
// The functions work on the decoded text and, for ANSI files, on the bytes too: the
// characters they look for ('[', ']', ';', '=', blanks, quotes) are ASCII, and '=', the
// blanks and the line breaks never occur inside a character of a Windows ANSI code page
// (their trail bytes start at 0x40), so both give the same parts of a key line.
#pragma once

#include <cstddef>
#include <string>

enum class LineKind { Blank, Comment, Section, Key };

// Where the parts of one line lie, as offsets into the line.
struct LineParts {
    LineKind kind = LineKind::Blank;
    // The section's or key's name, blanks trimmed (sections and key lines only).
    std::size_t nameBegin = 0;
    std::size_t nameEnd = 0;
    // Key lines: whether there is an '=', and the value after it with blanks trimmed,
    // quotes included. Without '=' both are the end of the name.
    bool hasEquals = false;
    std::size_t valueBegin = 0;
    std::size_t valueEnd = 0;
};

template <typename Char>
bool isProfileBlank(Char c) {
    return c == ' ' || c == '\t' || c == '\v';
}

// The first offset at or after `from` that is not a blank, or `end`.
template <typename Text>
std::size_t skipBlanks(const Text& line, std::size_t from, std::size_t end) {
    while (from < end && isProfileBlank(line[from])) ++from;
    return from;
}

// The offset after the last character before `end` that is not a blank, or `begin`.
template <typename Text>
std::size_t trimBlanksBack(const Text& line, std::size_t begin, std::size_t end) {
    while (end > begin && isProfileBlank(line[end - 1])) --end;
    return end;
}

// The parts of `line` (std::string or std::u16string, without its line break).
template <typename Text>
LineParts lineParts(const Text& line) {
    LineParts parts;
    const std::size_t size = line.size();
    const std::size_t first = skipBlanks(line, 0, size);
    if (first == size) return parts;
    if (line[first] == ';') {
        parts.kind = LineKind::Comment;
        return parts;
    }
    if (line[first] == '[') {
        parts.kind = LineKind::Section;
        std::size_t close = first + 1;
        while (close < size && line[close] != ']') ++close;
        parts.nameBegin = skipBlanks(line, first + 1, close);
        parts.nameEnd = trimBlanksBack(line, parts.nameBegin, close);
        return parts;
    }
    parts.kind = LineKind::Key;
    std::size_t equals = first;
    while (equals < size && line[equals] != '=') ++equals;
    parts.nameBegin = first;
    parts.nameEnd = trimBlanksBack(line, first, equals);
    parts.hasEquals = equals < size;
    if (!parts.hasEquals) {
        parts.valueBegin = parts.valueEnd = parts.nameEnd;
        return parts;
    }
    parts.valueBegin = skipBlanks(line, equals + 1, size);
    parts.valueEnd = trimBlanksBack(line, parts.valueBegin, size);
    return parts;
}

// The name in `line` that `parts` point at.
std::u16string nameOf(const std::u16string& line, const LineParts& parts);

// The value of a key line as the profile reader returns it: blanks trimmed, one outer pair
// of matching quotes stripped.
std::u16string valueOf(const std::u16string& line, const LineParts& parts);

// True when two section or key names are the same for the profile reader: equal but for
// the letter case of ASCII letters. Other letters must match exactly (the menu's names are
// all ASCII).
bool sameName(const std::u16string& a, const std::u16string& b);
