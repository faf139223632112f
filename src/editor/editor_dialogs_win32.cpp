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

OPENFILENAMEW dialogFor(HWND owner, std::vector<wchar_t>& name, const wchar_t* filter,
                        const wchar_t* title) {
    OPENFILENAMEW dialog = {};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = filter;
    dialog.lpstrFile = name.data();
    dialog.nMaxFile = static_cast<DWORD>(name.size());
    dialog.lpstrTitle = title;
    return dialog;
}

}  // namespace

std::wstring chooseMenuFile(HWND owner) {
    const KeptCurrentFolder kept;
    std::vector<wchar_t> name(kMaxName, L'\0');
    const std::wstring first = L"autorun.inf";
    first.copy(name.data(), first.size());
    OPENFILENAMEW dialog = dialogFor(
        owner, name, L"Menu files (autorun.inf)\0autorun.inf\0Profile files (*.inf)\0*.inf\0",
        L"Open the menu file of a medium");
    dialog.Flags = OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
    return GetOpenFileNameW(&dialog) ? std::wstring(name.data()) : std::wstring();
}

std::wstring chooseFileToSave(HWND owner, const std::wstring& folder) {
    const KeptCurrentFolder kept;
    std::vector<wchar_t> name(kMaxName, L'\0');
    const std::wstring first = L"autorun.inf";
    first.copy(name.data(), first.size());
    OPENFILENAMEW dialog = dialogFor(owner, name, L"Menu files (autorun.inf)\0autorun.inf\0",
                                     L"Save the menu file as");
    dialog.lpstrInitialDir = folder.c_str();
    dialog.lpstrDefExt = L"inf";
    dialog.Flags = OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT | OFN_NOCHANGEDIR;
    return GetSaveFileNameW(&dialog) ? std::wstring(name.data()) : std::wstring();
}

std::wstring chooseImageFile(HWND owner, const std::wstring& folder, const std::wstring& name) {
    const KeptCurrentFolder kept;
    std::vector<wchar_t> chosen(kMaxName, L'\0');
    name.copy(chosen.data(), name.size() < kMaxName - 1 ? name.size() : kMaxName - 1);
    OPENFILENAMEW dialog = dialogFor(owner, chosen, L"Disc images (*.iso)\0*.iso\0",
                                     L"Write the medium as a disc image");
    dialog.lpstrInitialDir = folder.c_str();
    dialog.lpstrDefExt = L"iso";
    dialog.Flags = OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT | OFN_NOCHANGEDIR;
    return GetSaveFileNameW(&dialog) ? std::wstring(chosen.data()) : std::wstring();
}

std::wstring chooseCertificateFile(HWND owner) {
    const KeptCurrentFolder kept;
    std::vector<wchar_t> name(kMaxName, L'\0');
    OPENFILENAMEW dialog =
        dialogFor(owner, name, L"Certificates with their key (*.pfx;*.p12)\0*.pfx;*.p12\0",
                  L"Your code-signing certificate");
    dialog.Flags = OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
    return GetOpenFileNameW(&dialog) ? std::wstring(name.data()) : std::wstring();
}

std::wstring chooseEntryFile(HWND owner, const std::wstring& root) {
    const KeptCurrentFolder kept;
    std::vector<wchar_t> name(kMaxName, L'\0');
    OPENFILENAMEW dialog = dialogFor(
        owner, name,
        L"Programs and documents\0*.exe;*.htm;*.html;*.pdf;*.txt;*.bat;*.cmd\0All files\0*.*\0",
        L"The file the entry starts");
    dialog.lpstrInitialDir = root.c_str();
    dialog.Flags = OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
    return GetOpenFileNameW(&dialog) ? std::wstring(name.data()) : std::wstring();
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
