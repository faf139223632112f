// The editor's figures, in process with its real window, typed at a person's pace: one
// keystroke in the first caption every 150 ms, the findings checked meanwhile as they are
// for an author. For each keystroke, the time from when it was due (the window may still
// be busy with something else then) to the preview painted; after each burst, the time
// from the last keystroke to the findings of the text as typed. Three media: the sample's
// menu file, the file with every language, and the sample with 40 other programs in its
// root (which the editor must not look through at every keystroke). And the time from the
// window shown to the 24-language file open with its preview drawn.
#include <cstdio>
#include <string>
#include <vector>

#include "bench_common.h"
#include "editor/editor_form.h"
#include "editor/editor_ids.h"
#include "editor/editor_window.h"

namespace {

constexpr double kPace = 0.150;  // seconds between two keystrokes
constexpr int kBursts = 4;
constexpr int kKeysPerBurst = 12;  // even: letters and backspaces leave the file as it was
constexpr UINT kFindingsMessage = WM_APP + 1;  // the window's message for a check's result

std::wstring wide(const std::string& text) { return std::wstring(text.begin(), text.end()); }

// Handles what is queued, as the window does between two keystrokes; true when a check's
// result for `window` was among it.
bool pump(HWND window) {
    bool findings = false;
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.hwnd == window && message.message == kFindingsMessage) findings = true;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return findings;
}

// Handles messages until `until` (seconds on nowSeconds' clock); true when a check's
// result came meanwhile.
bool pumpUntil(HWND window, double until) {
    bool findings = false;
    for (double now = nowSeconds(); now < until; now = nowSeconds()) {
        const DWORD wait = static_cast<DWORD>((until - now) * 1000) + 1;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, wait, QS_ALLINPUT);
        findings = pump(window) || findings;
    }
    return findings;
}

// The bytes of the file at `path`; empty when it cannot be read.
std::string fileBytes(const std::string& path) {
    std::string bytes;
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return bytes;
    char buffer[65536];
    DWORD got = 0;
    while (ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0)
        bytes.append(buffer, got);
    CloseHandle(file);
    return bytes;
}

double percentile(std::vector<double> values, double share) {
    std::sort(values.begin(), values.end());
    const std::size_t at = static_cast<std::size_t>(share * static_cast<double>(values.size() - 1));
    return values[at];
}

// Types the bursts into the first caption and prints the figures for `name`.
void typeAtPace(HWND window, const char* name) {
    HWND caption = formControl(window, IDC_CAPTION);
    HWND preview = GetDlgItem(window, IDC_PREVIEW);
    SetFocus(caption);
    const LRESULT length = SendMessageW(caption, WM_GETTEXTLENGTH, 0, 0);
    SendMessageW(caption, EM_SETSEL, static_cast<WPARAM>(length), length);
    // Whatever the opening asked for is checked first.
    pumpUntil(window, nowSeconds() + 2.0);

    std::vector<double> keystrokes, findings;
    for (int burst = 0; burst < kBursts; ++burst) {
        double due = nowSeconds() + kPace;
        double last = 0;
        for (int i = 0; i < kKeysPerBurst; ++i) {
            pumpUntil(window, due);
            SendMessageW(caption, WM_CHAR, static_cast<WPARAM>(i % 2 ? L'\b' : L'a'), 1);
            UpdateWindow(preview);
            GdiFlush();
            last = nowSeconds();
            keystrokes.push_back(last - due);
            due += kPace;
        }
        // The findings of the text as typed: the first result posted after the last key.
        double found = -1;
        for (double until = last + 5.0; nowSeconds() < until && found < 0;) {
            if (pumpUntil(window, nowSeconds() + 0.005)) found = nowSeconds() - last;
        }
        if (found >= 0) findings.push_back(found);
    }
    std::printf("  %s\n", name);
    std::printf(
        "    keystroke to preview painted:  median %6.1f  95th percentile %6.1f  max %6.1f ms"
        " (%zu keystrokes)\n",
        median(keystrokes) * 1e3, percentile(keystrokes, 0.95) * 1e3,
        percentile(keystrokes, 1.0) * 1e3, keystrokes.size());
    if (findings.empty()) {
        std::printf("    findings: none came within 5 s of the last keystroke\n");
    } else {
        std::printf("    last keystroke to findings:    median %6.1f  max %6.1f ms (%zu bursts)\n",
                    median(findings) * 1e3, percentile(findings, 1.0) * 1e3, findings.size());
    }
}

}  // namespace

int main() {
    const std::string folder = programFolder() + "editor-bench\\";
    const std::string sample = folder + "sample\\";
    const std::string every = folder + "every-language\\";
    const std::string crowded = folder + "sample-and-programs\\";
    const std::string menuProgram = programFolder() + "..\\autorun-menu.exe";
    for (const std::string& made : {folder, sample, every, crowded})
        CreateDirectoryA(made.c_str(), nullptr);
    const std::string sampleFile = fileBytes(programFolder() + AUTORUN_MENU_SAMPLE_FILE);
    if (sampleFile.empty() || !writeFile(sample + "autorun.inf", sampleFile) ||
        !writeFile(every + "autorun.inf", allLanguagesMenuFile()) ||
        !writeFile(crowded + "autorun.inf", sampleFile)) {
        return 1;
    }
    // Each medium has the menu program beside its file; the crowded one 40 other programs.
    for (const std::string& medium : {sample, every, crowded})
        CopyFileA(menuProgram.c_str(), (medium + "autorun-menu.exe").c_str(), FALSE);
    char self[MAX_PATH];
    const DWORD selfLength = GetModuleFileNameA(nullptr, self, sizeof self);
    if (selfLength == 0 || selfLength >= sizeof self) return 1;
    for (int i = 1; i <= 40; ++i) {
        const std::string other = crowded + "tool" + std::to_string(i) + ".exe";
        CopyFileA(self, other.c_str(), FALSE);
    }

    // The findings are checked by the editor's own program, built beside the benchmarks.
    HWND window = openEditorWindow(GetModuleHandleW(nullptr), L"", SW_SHOWNORMAL,
                                   wide(programFolder() + "..\\autorun-menu-edit.exe"));
    if (window == nullptr) return 1;
    pump(window);

    std::vector<double> opening;
    for (int round = 0; round < 9; ++round) {
        pump(window);
        const double begin = nowSeconds();
        if (!openInEditor(wide(every + "autorun.inf"))) return 1;
        UpdateWindow(GetDlgItem(window, IDC_PREVIEW));
        GdiFlush();
        opening.push_back(nowSeconds() - begin);
    }
    std::printf("Editor, in process with its window, typed one key every 150 ms\n");
    printFigures("open the 24-language file", opening, 1e3, "ms");
    const struct {
        const char* name;
        std::string file;
    } media[] = {
        {"the sample", sample + "autorun.inf"},
        {"the 24-language file", every + "autorun.inf"},
        {"the sample with 40 other programs", crowded + "autorun.inf"},
    };
    for (const auto& medium : media) {
        if (!openInEditor(wide(medium.file))) return 1;
        typeAtPace(window, medium.name);
    }
    DestroyWindow(window);
    pump(window);
    return 0;
}
