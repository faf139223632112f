// Cutting an entry line into the fields of a menu entry and preparing them. An entry line
// is "caption|command|parameters|comment|error text|close flag"; the vertical bar always
// separates and nothing is trimmed around it.
#pragma once

#include <cstddef>

class MenuItem;

// Caption, command, parameters, comment and error text; the close flag comes after them.
constexpr std::size_t kEntryFieldCount = 5;

// An entry line cut at its bars, each field as written.
struct EntryLineFields {
    // New heap copies of the five fields, each to be released with std::free; empty where
    // the line ends before the field, null where memory ran out.
    char* fields[kEntryFieldCount];
    // How many fields the line holds, from 1 to 6: a field is there when the one before it
    // ended at a bar, and the sixth is the close flag.
    std::size_t written;
    // In the line: the close flag and everything after it, further bars included; null when
    // the fifth field ends the line.
    const char* closeFlag;
};

// Cuts `line` the way menuItemFromLine does, with takeField, and keeps the fields as they
// are written: nothing expanded, nothing prefixed, no line breaks made.
void cutEntryLine(const char* line, EntryLineFields& cut);

// A new heap copy of the field that starts at `position`: the characters up to the first
// vertical bar among the next `remaining` characters, or all of them. Sets `consumed` to the
// field's length plus 1 (past the bar). With `remaining` 0 or less, reads nothing and gives
// an empty field with `consumed` 0. Null only when memory runs out.
char* takeField(const char* position, std::ptrdiff_t remaining, std::ptrdiff_t& consumed);

// True for a command the shell can open wherever the menu runs: a drive path ("C:..."),
// a path that starts with two separators (a share), or a URL or shell protocol (a letter,
// then letters, digits, '+', '-' or '.', at least two characters in all, then a colon).
bool isAbsoluteCommand(const char* command);

// A new heap string: empty for an empty command, the command itself when it is absolute,
// else launcherState.mediaRoot followed by the command. Null when `command` is null or
// memory runs out.
char* prefixMediaRoot(const char* command);

// A new heap string with the %NAME% references of `source` expanded; the unexpanded text
// when expansion fails. Null when `source` is null or memory runs out.
char* expandEnvironmentText(const char* source);

// The entry made from one line: fields cut (missing ones empty), command and parameters
// expanded, the media root in front of a relative command, the close flag read from the
// sixth field. An empty line gives an empty entry. Never null: when the record cannot be
// allocated, the slot gets the shared empty entry.
MenuItem* menuItemFromLine(const char* line);

// The one statically allocated empty entry.
MenuItem* sharedEmptyItem();

// Releases an entry menuItemFromLine made, its texts and the record; does nothing for null
// and for the shared empty entry. Only the tools call it: the menu keeps its entries until
// the process ends.
void releaseMenuItem(MenuItem* item);
