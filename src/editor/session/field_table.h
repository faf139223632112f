// The editor's fields, one row each: the control that shows it, the page it stands on, its
// label, and the value of the menu file it edits. Making the form, filling it, reading it
// back and finding the field of a finding all go by this one table.
#pragma once

#include <cstddef>
#include <string>

#include "config/view_keys.h"
#include "editor/model/entry_fields.h"

enum class Page { Texts, Look, Windows };
constexpr int kPageCount = 3;

// Where a field's value lives.
enum class FieldSource {
    Language,  // a key of the language section the fields edit (Title, Prompt)
    Entry,     // a part of the entry chosen in the entry box
    View,      // a key of [View]
    Autorun,   // a key of [autorun]
};

// How a control shows the value.
enum class FieldKind {
    Text,    // a line of text
    Lines,   // several lines; each line break is stored as "\n"
    Check,   // a check box: "1" when checked
    Number,  // digits only
    Colour,  // a colour of the table, as its number
    Face,    // a font's face name, picked from the installed faces or typed
};

struct Field {
    int id;       // the control's IDC_ number
    int labelId;  // the label's IDC_ number; 0 for a check box, which names itself
    Page page;
    const wchar_t* label;  // with its mnemonic
    FieldSource source;
    const char* key;  // the key in its section; null for Entry
    EntryPart part;   // for Entry
    FieldKind kind;
    // Where it stands on its page, in pixels at 96 DPI; the label stands right above.
    int x, y, width, height;
};

// Every field, in tab order.
const Field* fieldsBegin();
const Field* fieldsEnd();

// The field of control `id`; null when `id` is no field.
const Field* fieldOf(int id);

// The field that edits `key` of the section named `section` (case as the profile reader
// compares: without regard to case), or the entry part `part` for an entry key ("1" to
// "5"); null when no field edits it.
const Field* fieldOfKey(const std::string& section, const std::string& key);
const Field* fieldOfPart(EntryPart part);

// The section a field's value is in: `languageSection` for Language and Entry fields.
std::u16string sectionOf(const Field& field, const std::u16string& languageSection);

// The menu bar's mnemonics, which no control takes.
constexpr wchar_t kMenuBarMnemonics[] = L"femh";
