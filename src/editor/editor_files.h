// The editor's file commands over its session: open, save, save as, reload, the question
// when another program changed the file, and a new medium. Each asks the author through
// message boxes owned by `window` and says what it did in the window's status bar; the
// session then tells the window what changed.
#pragma once

#include <windows.h>

#include <string>

#include "editor/session/menu_session.h"

// Whether the author lets the unsaved changes go (or saved them first).
bool changesMayGo(HWND window, MenuSession& session);

// Opens the medium folder or menu file `name` into the session; a UTF-8 file is converted
// when the author agrees. False, with a message, when nothing was opened: the session is
// then as it was, its edits still unsaved.
bool openFile(HWND window, MenuSession& session, std::wstring name);

// File > Open: asks about unsaved changes, then for the file.
void openChosen(HWND window, MenuSession& session);

// Saves the session's file (`overwrite`: whatever is on disk now). True when it was written
// and read back; when another program changed it, the author decides first.
bool save(HWND window, MenuSession& session, bool overwrite);

// Save As: the document written to a file the author picks, which it then is.
bool saveAs(HWND window, MenuSession& session);

// Reload from disk, asking first when there are unsaved changes.
void reload(HWND window, MenuSession& session);

// Asks once when another program changed the file on disk; `asking` is true while the
// question is on screen.
void checkDisk(HWND window, MenuSession& session, bool& asking);

// File > New medium: the new medium's files in a folder the author picks, then opened.
void newMedium(HWND window, HINSTANCE instance, MenuSession& session);

// The menu program beside the session's file, looked up once for each file and folder.
void lookUpMenuProgram(MenuSession& session);
