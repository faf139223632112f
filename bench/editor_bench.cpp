// The editor's figures, in process with its real window: from a keystroke in a caption to
// the preview redrawn, for the sample and for a file with every language section, and from
// the window shown to the 24-language file open with its preview drawn.
#include <cstdio>
#include <string>

#include "bench_common.h"
#include "editor/editor_form.h"
#include "editor/editor_ids.h"
#include "editor/editor_window.h"

namespace {

// Lets the window handle everything queued, as it does between two keystrokes.
void pump() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

std::wstring wide(const std::string& text) { return std::wstring(text.begin(), text.end()); }

// Types one character at a time into the first caption: the edit box reports the change,
// the window edits the document and redraws the preview, which is painted at once. Letters
// and backspaces alternate, so an even count leaves the file as it was (and opening the
// next one asks nothing).
std::vector<double> keystrokes(HWND window, int count) {
    HWND caption = formControl(window, IDC_CAPTION);
    HWND preview = GetDlgItem(window, IDC_PREVIEW);
    SetFocus(caption);
    // The caret after the caption's last letter, nothing selected.
    const LRESULT length = SendMessageW(caption, WM_GETTEXTLENGTH, 0, 0);
    SendMessageW(caption, EM_SETSEL, static_cast<WPARAM>(length), length);
    std::vector<double> times;
    for (int i = 0; i < count; ++i) {
        pump();
        const double begin = nowSeconds();
        SendMessageW(caption, WM_CHAR, static_cast<WPARAM>(i % 2 ? L'\b' : L'a'), 1);
        UpdateWindow(preview);
        GdiFlush();
        times.push_back(nowSeconds() - begin);
    }
    return times;
}

}  // namespace

int main() {
    const std::string folder = programFolder() + "editor-bench\\";
    CreateDirectoryA(folder.c_str(), nullptr);
    const std::string sample = folder + "sample\\";
    const std::string every = folder + "every-language\\";
    CreateDirectoryA(sample.c_str(), nullptr);
    CreateDirectoryA(every.c_str(), nullptr);
    if (!writeFile(sample + "autorun.inf", fullMenuFile()) ||
        !writeFile(every + "autorun.inf", allLanguagesMenuFile())) {
        return 1;
    }

    // The findings are checked by the editor's own program, built beside the benchmarks.
    HWND window = openEditorWindow(GetModuleHandleW(nullptr), L"", SW_SHOWNORMAL,
                                   wide(programFolder() + "..\\autorun-menu-edit.exe"));
    if (window == nullptr) return 1;
    pump();

    std::vector<double> opening;
    for (int round = 0; round < 9; ++round) {
        pump();
        const double begin = nowSeconds();
        if (!openInEditor(wide(every + "autorun.inf"))) return 1;
        UpdateWindow(GetDlgItem(window, IDC_PREVIEW));
        GdiFlush();
        opening.push_back(nowSeconds() - begin);
    }
    std::printf("Editor, in process with its window (milliseconds)\n");
    printFigures("open the 24-language file", opening, 1e3, "ms");
    printFigures("keystroke to preview, 24 languages", keystrokes(window, 60), 1e3, "ms");
    if (!openInEditor(wide(sample + "autorun.inf"))) return 1;
    printFigures("keystroke to preview, full file", keystrokes(window, 60), 1e3, "ms");
    DestroyWindow(window);
    pump();
    return 0;
}
