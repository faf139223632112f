#include "editor/editor_dialogs.h"

#include <commdlg.h>
#include <shlobj.h>

#include <vector>

namespace {

// Puts the current folder back as it was when the object was made.
class KeptCurrentFolder {
public:
    KeptCurrentFolder() {
        const DWORD length = GetCurrentDirectoryW(0, nullptr);
        if (length == 0) return;
        std::vector<wchar_t> folder(length, L'\0');
        if (GetCurrentDirectoryW(length, folder.data()) < length) folder_ = folder.data();
    }
    ~KeptCurrentFolder() {
        if (!folder_.empty()) SetCurrentDirectoryW(folder_.c_str());
    }
    KeptCurrentFolder(const KeptCurrentFolder&) = delete;
    KeptCurrentFolder& operator=(const KeptCurrentFolder&) = delete;

private:
    std::wstring folder_;
};

constexpr DWORD kMaxName = 32768;  // the longest path Windows takes

// What a file dialog asks for.
struct FileChoice {
    const wchar_t* filter;
    const wchar_t* title;
    std::wstring folder;                 // where it starts; empty: where Windows chooses
    std::wstring name;                   // the name it offers
    const wchar_t* extension = nullptr;  // added to a name typed without one
    bool save = false;                   // a file to write (asks before replacing one)
};

// The file chosen; empty when the author cancels. The current folder stays as it was.
std::wstring chooseFile(HWND owner, const FileChoice& choice) {
    const KeptCurrentFolder kept;
    std::vector<wchar_t> name(kMaxName, L'\0');
    choice.name.copy(name.data(),
                     choice.name.size() < kMaxName - 1 ? choice.name.size() : kMaxName - 1);
    OPENFILENAMEW dialog = {};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = choice.filter;
    dialog.lpstrFile = name.data();
    dialog.nMaxFile = kMaxName;
    dialog.lpstrTitle = choice.title;
    dialog.lpstrInitialDir = choice.folder.empty() ? nullptr : choice.folder.c_str();
    dialog.lpstrDefExt = choice.extension;
    dialog.Flags = OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR |
                   (choice.save ? OFN_OVERWRITEPROMPT : OFN_FILEMUSTEXIST);
    const BOOL chosen = choice.save ? GetSaveFileNameW(&dialog) : GetOpenFileNameW(&dialog);
    return chosen ? std::wstring(name.data()) : std::wstring();
}

}  // namespace

std::wstring chooseMenuFile(HWND owner) {
    return chooseFile(owner, {L"Menu files (autorun.inf)\0autorun.inf\0Profile files "
                              L"(*.inf)\0*.inf\0",
                              L"Open the menu file of a medium",
                              {},
                              L"autorun.inf"});
}

std::wstring chooseFileToSave(HWND owner, const std::wstring& folder) {
    return chooseFile(owner, {L"Menu files (autorun.inf)\0autorun.inf\0", L"Save the menu file as",
                              folder, L"autorun.inf", L"inf", true});
}

std::wstring chooseImageFile(HWND owner, const std::wstring& folder, const std::wstring& name) {
    return chooseFile(owner, {L"Disc images (*.iso)\0*.iso\0", L"Write the medium as a disc image",
                              folder, name, L"iso", true});
}

std::wstring chooseCertificateFile(HWND owner) {
    return chooseFile(owner, {L"Certificates with their key (*.pfx;*.p12)\0*.pfx;*.p12\0",
                              L"Your code-signing certificate",
                              {},
                              {}});
}

std::wstring chooseEntryFile(HWND owner, const std::wstring& root) {
    return chooseFile(owner, {L"Programs and documents\0*.exe;*.htm;*.html;*.pdf;*.txt;*.bat;"
                              L"*.cmd\0All files\0*.*\0",
                              L"The file the entry starts",
                              root,
                              {}});
}

std::wstring chooseFolder(HWND owner, const wchar_t* title) {
    const KeptCurrentFolder kept;
    BROWSEINFOW browse = {};
    browse.hwndOwner = owner;
    browse.lpszTitle = title;
    browse.ulFlags = BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE;
    PIDLIST_ABSOLUTE chosen = SHBrowseForFolderW(&browse);
    if (chosen == nullptr) return {};
    wchar_t path[MAX_PATH] = {};
    const BOOL got = SHGetPathFromIDListW(chosen, path);
    CoTaskMemFree(chosen);
    return got ? path : L"";
}
