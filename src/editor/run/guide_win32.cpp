#include "editor/run/guide.h"

#include <objbase.h>
#include <shellapi.h>

#include <vector>

#include "console/paths.h"

namespace {

constexpr wchar_t kGuideName[] = L"authors-guide.html";
constexpr wchar_t kCaption[] = L"Authors' guide";

bool isFile(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

}  // namespace

std::wstring findGuide(const std::wstring& program) {
    const std::wstring folder = folderOf(program);
    if (folder.empty()) return {};
    if (isFile(folder + kGuideName)) return folder + kGuideName;
    const std::wstring above = folderOf(folder.substr(0, folder.size() - 1));
    if (!above.empty() && isFile(above + kGuideName)) return above + kGuideName;
    return {};
}

bool openGuide(HWND owner) {
    const std::wstring program = programPath();
    const std::wstring guide = findGuide(program);
    if (guide.empty()) {
        const std::wstring text =
            L"The authors' guide, authors-guide.html, is not beside this program (" +
            folderOf(program) +
            L").\n\nIt comes with the release: authors-guide.html lies in the release's ZIP "
            L"beside the x86 and x64 folders. In the source, the guide is "
            L"docs/authors-guide.md.";
        MessageBoxW(owner, text.c_str(), kCaption, MB_OK | MB_ICONINFORMATION);
        return false;
    }
    // The shell may hand the page to extensions that need COM on this thread.
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    const HINSTANCE result =
        ShellExecuteW(owner, L"open", guide.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
    if (SUCCEEDED(com)) CoUninitialize();
    // ShellExecute returns a number, not a module: above 32 means the page opened.
    const INT_PTR code = reinterpret_cast<INT_PTR>(result);
    if (code > 32) return true;
    const std::wstring reason =
        code == SE_ERR_NOASSOC
            ? L"No program is set to open web pages (.html files)."
            : L"Windows could not open it (error " + std::to_wstring(code) + L").";
    const std::wstring text = L"The authors' guide " + guide + L" could not be opened. " + reason +
                              L"\n\nOpen the file in a web browser yourself.";
    MessageBoxW(owner, text.c_str(), kCaption, MB_OK | MB_ICONWARNING);
    return false;
}
