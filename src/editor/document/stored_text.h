// What the document writes into a line, and what it refuses: values and names as they
// must be written so that the profile reader (see profile_syntax.h) reads them back
// exactly as they were given.
#pragma once

#include <string>

// True when `value` fits on one line: it holds no CR, LF or NUL. (The editor writes line
// breaks in entries as "\n" itself.)
bool isStorableValue(const std::u16string& value);

// The text to write after '=' for a storable `value`: the value itself, or the value in
// double quotes where the reader would otherwise change it, that is when it starts or ends
// with a blank, or starts and ends with the same quote character (the reader strips only
// the outer pair, so one more pair keeps the value's own).
std::u16string storedValue(const std::u16string& value);

// True when a key line written with `name` reads back as that key: not empty, no blank at
// either end, no '=', CR, LF or NUL, and not starting with '[' or ';'.
bool isStorableKeyName(const std::u16string& name);

// True when a section heading written with `name` reads back as that name: no blank at
// either end, no ']', CR, LF or NUL. The empty name is allowed ("[]").
bool isStorableSectionName(const std::u16string& name);
