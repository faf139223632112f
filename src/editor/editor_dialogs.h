// The common dialogs the editor asks the author through. Each keeps the process's current
// folder as it was: the open and save dialogs move it to the folder chosen (OFN_NOCHANGEDIR
// does not hold for the open dialog), and a current folder on the medium would keep
// Windows from removing the medium safely while the editor is open.
#pragma once

#include <windows.h>

#include <string>

// The menu file to open; empty when the author cancels.
std::wstring chooseMenuFile(HWND owner);

// The file to save the menu file as, starting in `folder`; empty when the author cancels.
std::wstring chooseFileToSave(HWND owner, const std::wstring& folder);

// The disc image to write, starting in `folder` with the name `name`; empty when the author
// cancels.
std::wstring chooseImageFile(HWND owner, const std::wstring& folder, const std::wstring& name);

// The author's certificate file (.pfx); empty when the author cancels.
std::wstring chooseCertificateFile(HWND owner);

// The file an entry starts, starting in `root`; empty when the author cancels.
std::wstring chooseEntryFile(HWND owner, const std::wstring& root);

// A folder, with `title` over the choice; empty when the author cancels.
std::wstring chooseFolder(HWND owner, const wchar_t* title);
