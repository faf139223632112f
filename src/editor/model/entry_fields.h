// An entry line as the editor's fields show it: caption, command, parameters, comment, error
// text and whether the entry closes the menu, cut at its bars the way the menu cuts it.
#pragma once

#include <string>

struct EntryFields {
    std::u16string caption;
    std::u16string command;
    std::u16string parameters;
    std::u16string comment;    // as stored: "\n" where the menu breaks the line
    std::u16string errorText;  // the same
    bool closes = false;       // the sixth field reads as 1
    // The sixth field and everything after it as written, bars included, and whether the
    // line reaches it at all (a line may end in a bar after the fifth field). Kept as they
    // are while `closes` does not change.
    std::u16string closeField;
    bool hasCloseField = false;
};

// The parts of an entry the editor edits, each one field of its own.
enum class EntryPart { Caption, Command, Parameters, Comment, ErrorText, Closes };

// The text of `part` as the menu file stores it ("1" or "0" for Closes), and setting it.
std::u16string partOf(const EntryFields& fields, EntryPart part);
void setPart(EntryFields& fields, EntryPart part, const std::u16string& text);

// The fields of `line`, cut by the menu's own cutting (config/entry_line.h).
EntryFields entryFieldsOf(const std::u16string& line);

// The line that gives `fields`: all five fields, then the sixth when there is one. When
// `closes` no longer matches what `closeField` reads as, the sixth field becomes "1" or goes.
// Empty when every field is empty and the entry does not close the menu.
std::u16string entryLineOf(const EntryFields& fields);

// Whether a field can hold `text`: the menu ends a field at every '|'.
bool fitsInField(const std::u16string& text);

// A comment or error text as an edit box shows it: each "\n" a line break (CR LF).
std::u16string shownText(const std::u16string& stored);

// The text an edit box holds as the menu file stores it: each line break (CR LF, LF or CR)
// written as "\n".
std::u16string storedText(const std::u16string& shown);
