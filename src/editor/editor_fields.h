// The fields of the pages and the pickers beside them: shown from the session, read back as
// the session takes them. Showing a field its own value edits nothing (the session finds a
// value the field shows already Unchanged), so filling needs no guard.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "editor/preview/preview_languages.h"
#include "editor/session/menu_session.h"

// What a field's control shows now, as the session takes it.
std::u16string fieldValue(HWND window, const Field& field);

// Shows `value` (as the session shows it) in a field's control.
void showValue(HWND window, const Field& field, const std::u16string& value);

// The entry box: every entry by its caption, the session's entry chosen; after a caption
// was typed, that entry's item alone.
void fillEntryBox(HWND window, const MenuSession& session);
void renameEntryItem(HWND window, const MenuSession& session);

// Every field and the section note from the session, but `typed`, the field being typed in.
void fillFields(HWND window, const MenuSession& session, const Field* typed);

// Fields take typing only while a file is open, which is where it can be saved.
void enableFields(HWND window, const MenuSession& session);

// The language picker: every language, marked where the file has its section.
void fillLanguageBox(HWND window, const MenuSession& session,
                     const std::vector<PreviewLanguage>& languages);
