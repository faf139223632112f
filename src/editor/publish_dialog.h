// File > Publish...: the medium written as a disc image, or copied to a drive or folder,
// with the checker's findings said first, progress with Cancel, and Windows' own disc
// burner offered for the image where Windows has one. The publish tool's own parts do the
// work, so the editor and the tool write the same bytes.
#pragma once

#include <windows.h>

#include <string>

struct FindingsCount {
    int errors = 0;
    int warnings = 0;
};

// Publishes the medium in `mediumFolder` (the folder of its saved autorun.inf), asking the
// author through message boxes and dialogs owned by `owner`. `findings` counts the checker's
// findings of that medium as saved: errors make the author confirm first.
void publishMedium(HWND owner, const std::wstring& mediumFolder, const FindingsCount& findings);

// The run itself, once the author chose: the medium `medium` (a full path) written to
// `target` as a disc image (`image`) or copied there, behind a progress dialog with Cancel;
// the result is said in a message box that repeats `verdict`, the checker's.
void publishTo(HWND owner, const std::wstring& medium, const std::wstring& target, bool image,
               const std::wstring& verdict);
