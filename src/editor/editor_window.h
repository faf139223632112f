// The editor's main window: the preview, the fields, the findings and the commands.
#pragma once

#include <windows.h>

#include <string>

// Registers the window class and opens the window, with the file or folder `open` loaded
// when it is not empty. The findings are checked by `checkerProgram --findings ...`, the
// editor's program (empty: this program, which must be the editor). Null when the window
// cannot be made.
HWND openEditorWindow(HINSTANCE instance, const std::wstring& open, int show,
                      const std::wstring& checkerProgram = std::wstring());

// Opens the medium folder or autorun.inf `path` in the window, as File > Open does (asking
// about unsaved changes first). True when it was opened.
bool openInEditor(const std::wstring& path);

// Whether `message` is for the editor's dialogs or accelerators, which then took it.
bool editorTakesMessage(HWND window, MSG& message);
