// The editor's Brand panel: the menu program's picture, icon and names, chosen by the author
// and written into the program beside the menu file.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "checker/contrast.h"

// The panel's controls, for the keyboard's order and for tests. Save and Cancel are IDOK
// and IDCANCEL.
enum BrandPanelControl : int {
    kBrandPicture = 101,  // the picture file's path
    kBrandPictureBrowse,
    kBrandFit,  // "Show the whole picture"
    kBrandIcon,
    kBrandIconBrowse,
    kBrandCompany,
    kBrandProduct,
    kBrandDescription,
    kBrandCopyright,
    kBrandStatus,  // what the panel has to say: the preview's trouble, the program's
};

// The panel's title, which its message boxes carry too.
inline constexpr wchar_t kBrandPanelTitle[] = L"Brand the menu program";

// Shows the panel over `owner` (which it disables meanwhile) for the menu program `program`
// and returns when the author closes it. Its name fields start with the program's own.
// Choosing a picture (or showing it whole or not) calls `showPicture` at once with the
// picture the menu would show (good until the next call or the panel's end: copy it to
// keep it); `showPicture(nullptr)` puts the editor's own back when the
// picture is taken away or cannot be read, and when the panel closes without saving. After
// a save the last picture stays: the program now carries it. Save writes through
// saveBrandedProgram; a failure is shown in a message box and the panel stays open with the
// author's entries.
void showBrandPanel(HWND owner, const std::wstring& program,
                    std::function<void(const Picture*)> showPicture);
