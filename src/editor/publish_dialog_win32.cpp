#include "editor/publish_dialog.h"

#include <commctrl.h>
#include <shellapi.h>

#include <string>
#include <vector>

#include "editor/dialog_frame.h"
#include "editor/editor_dialogs.h"
#include "publish/disc_sizes.h"
#include "publish/image_plan.h"
#include "publish/publish_options.h"
#include "publish/tool/cancel.h"
#include "publish/tool/drive_copy.h"
#include "publish/tool/file_reading.h"
#include "publish/tool/image_file.h"
#include "publish/tool/medium_label.h"
#include "publish/tool/medium_tree.h"
#include "publish/tool/tool_paths.h"

namespace {

constexpr wchar_t kCaption[] = L"Publish";
constexpr UINT kDoneMessage = WM_APP + 10;
constexpr UINT_PTR kProgressTimer = 1;
constexpr int kProgressBar = 100;
constexpr int kProgressText = 101;

int ask(HWND owner, const std::wstring& text, UINT flags) {
    return MessageBoxW(owner, text.c_str(), kCaption, flags);
}

// What a run is to do, and what it did; shared with the thread that does it.
struct PublishRun {
    bool image = true;
    std::wstring medium, target;
    std::u16string label;
    ImageEntry tree;
    ImagePlan plan;
    std::uint64_t total = 0;  // the bytes it writes
    bool intoFiles = false;   // the author let the copy go into a folder that holds files
    HWND dialog = nullptr;
    // Afterwards:
    bool done = false;
    std::string problem;
    CopyReport copy;
};

DWORD WINAPI publishThread(LPVOID parameter) {
    PublishRun& run = *static_cast<PublishRun*>(parameter);
    if (run.image) {
        run.done = writeImageFile(run.plan, mediumFileReader(), run.target, run.problem) ==
                   WriteOutcome::written;
    } else {
        run.copy = copyMedium(run.tree, run.target, run.intoFiles, run.label);
        run.done = run.copy.outcome == CopyReport::Outcome::copied;
        if (!run.done) {
            run.problem = run.copy.problem;
            for (const ImageRefusal& refusal : run.copy.refusals)
                run.problem +=
                    (run.problem.empty() ? "" : "\n") + refusal.path + ": " + refusal.reason;
        }
    }
    PostMessageW(run.dialog, kDoneMessage, 0, 0);
    return 0;
}

// The progress of a run, with Cancel; it ends when the run's thread is done.
INT_PTR CALLBACK progressProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    PublishRun* run = reinterpret_cast<PublishRun*>(GetWindowLongPtrW(dialog, DWLP_USER));
    switch (message) {
        case WM_INITDIALOG: {
            run = reinterpret_cast<PublishRun*>(lParam);
            SetWindowLongPtrW(dialog, DWLP_USER, lParam);
            run->dialog = dialog;
            SetWindowTextW(dialog, run->image ? L"Writing the disc image" : L"Copying the medium");
            sizeDialog(dialog, 404, 104);
            makeDialogControl(dialog, WC_STATICW, (L"To " + run->target).c_str(),
                              SS_LEFT | SS_PATHELLIPSIS, kProgressText, 12, 12, 380, 20);
            HWND bar =
                makeDialogControl(dialog, PROGRESS_CLASSW, L"", 0, kProgressBar, 12, 38, 380, 18);
            SendMessageW(bar, PBM_SETRANGE32, 0, 1000);
            makeDialogControl(dialog, WC_BUTTONW, L"Cancel", WS_TABSTOP | BS_DEFPUSHBUTTON,
                              IDCANCEL, 300, 68, 92, 26);
            SetTimer(dialog, kProgressTimer, 100, nullptr);
            HANDLE thread = CreateThread(nullptr, 0, publishThread, run, 0, nullptr);
            if (thread == nullptr) {
                run->problem = "the run could not be started";
                EndDialog(dialog, 0);
                return TRUE;
            }
            CloseHandle(thread);
            return TRUE;
        }
        case WM_TIMER: {
            const std::uint64_t total = run->total > 0 ? run->total : 1;
            const std::uint64_t part = writtenBytes() * 1000 / total;
            SendDlgItemMessageW(dialog, kProgressBar, PBM_SETPOS, part > 1000 ? 1000 : part, 0);
            return TRUE;
        }
        case WM_COMMAND:
            if (LOWORD(wParam) == IDCANCEL) {
                // The run stops at its next piece and removes what it wrote, then ends this.
                requestCancel();
                EnableWindow(GetDlgItem(dialog, IDCANCEL), FALSE);
                SetDlgItemTextW(dialog, kProgressText, L"Cancelling...");
            }
            return TRUE;
        case kDoneMessage:
            KillTimer(dialog, kProgressTimer);
            EndDialog(dialog, 1);
            return TRUE;
        default:
            return FALSE;
    }
}

// Runs `run` on a thread of its own behind a progress dialog over `owner`.
void runWithProgress(HWND owner, PublishRun& run) {
    startPublishRun();
    runDialog(owner, progressProc, reinterpret_cast<LPARAM>(&run));
}

// Whether the folder `target` holds anything; false too when it does not exist.
bool holdsFiles(const std::wstring& target) {
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW(joinedPath(target, L"*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return false;
    bool any = false;
    do {
        const std::wstring name = found.cFileName;
        any = name != L"." && name != L"..";
    } while (!any && FindNextFileW(search, &found));
    FindClose(search);
    return any;
}

// Whether Windows here has a program that burns disc images: the "burn" verb of ".iso".
bool windowsBurnsImages() {
    wchar_t type[256] = {};
    DWORD size = sizeof type;
    if (RegGetValueW(HKEY_CLASSES_ROOT, L".iso", nullptr, RRF_RT_REG_SZ, nullptr, type, &size) !=
        ERROR_SUCCESS)
        return false;
    HKEY verb = nullptr;
    if (RegOpenKeyExW(HKEY_CLASSES_ROOT, (std::wstring(type) + L"\\shell\\burn").c_str(), 0,
                      KEY_READ, &verb) != ERROR_SUCCESS)
        return false;
    RegCloseKey(verb);
    return true;
}

std::wstring refusalText(const std::vector<ImageRefusal>& refusals) {
    std::wstring text;
    for (std::size_t i = 0; i < refusals.size() && i < 12; ++i) {
        text +=
            L"\n" + wideOf(refusals[i].path.empty() ? refusals[i].reason
                                                    : refusals[i].path + ": " + refusals[i].reason);
    }
    if (refusals.size() > 12)
        text += L"\n... and " + std::to_wstring(refusals.size() - 12) + L" more";
    return text;
}

// Every entry of the image at one time, as two runs over one folder must give the same
// bytes: SOURCE_DATE_EPOCH when it is set, else each file's own time.
void fixTime(ImageOptions& options) {
    wchar_t value[64] = {};
    const DWORD length = GetEnvironmentVariableW(L"SOURCE_DATE_EPOCH", value, 64);
    if (length == 0 || length >= 64) return;
    options.fixedTime = readTime(u16Of(value), options.time);
}

}  // namespace

void publishMedium(HWND owner, const std::wstring& mediumFolder, const FindingsCount& findings) {
    std::wstring medium = mediumFolder;
    while (medium.size() > 3 && medium.back() == L'\\') medium.pop_back();
    const int kind = ask(owner,
                         L"Publish " + medium +
                             L"\n\nYes: as a disc image (.iso), to burn, to offer for download or "
                             L"to open in a virtual machine.\nNo: as a copy on a drive (a USB "
                             L"stick) or in a folder, each file verified after writing.",
                         MB_YESNOCANCEL | MB_ICONQUESTION);
    if (kind == IDCANCEL) return;
    const bool image = kind == IDYES;

    // The checker's findings first: an error stops publishing unless the author insists.
    const std::wstring verdict = L"The checker finds " + std::to_wstring(findings.errors) +
                                 L" errors and " + std::to_wstring(findings.warnings) +
                                 L" warnings in this medium.";
    if (findings.errors > 0 &&
        ask(owner, verdict + L" The list under the preview names them.\n\nPublish it all the same?",
            MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2) != IDYES) {
        return;
    }

    const std::u16string label = u16Of(mediumLabel(medium));
    std::wstring target;
    if (image) {
        const std::wstring name = (label.empty() ? L"medium" : wideOf(label)) + L".iso";
        target = chooseImageFile(owner, parentOf(medium), name);
    } else {
        target = chooseFolder(owner, L"Choose the drive or folder to copy the medium to");
    }
    if (target.empty()) return;
    publishTo(owner, medium, target, image, verdict);
}

void publishTo(HWND owner, const std::wstring& medium, const std::wstring& target, bool image,
               const std::wstring& verdict) {
    PublishRun run;
    run.image = image;
    run.medium = medium;
    run.label = u16Of(mediumLabel(medium));
    run.target = fullPathOf(target);
    if (run.target.empty() || liesWithin(run.target, medium) ||
        (!run.image && liesWithin(medium, run.target))) {
        ask(owner,
            target +
                L"\n\nlies within the medium (or the medium within it): choose a "
                L"place outside it.",
            MB_OK | MB_ICONERROR);
        return;
    }

    if (!run.image && holdsFiles(run.target)) {
        if (ask(owner,
                run.target + L" holds files already. Copy the medium in beside them? None "
                             L"of them is replaced or removed.",
                MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) != IDYES)
            return;
        run.intoFiles = true;
    }

    std::vector<ImageRefusal> refusals;
    std::string problem;
    if (!readMediumTree(medium, run.tree, refusals, problem)) {
        ask(owner, wideOf(problem), MB_OK | MB_ICONERROR);
        return;
    }
    if (!refusals.empty()) {
        ask(owner,
            L"The medium holds what Windows cannot read back as it is; nothing was "
            L"written:" +
                refusalText(refusals),
            MB_OK | MB_ICONERROR);
        return;
    }
    std::uint64_t files = 0;
    countFiles(run.tree, files, run.total);
    if (run.image) {
        ImageOptions options;
        options.label = run.label;
        fixTime(options);
        run.plan = planImage(run.tree, options);
        if (!run.plan.writable()) {
            ask(owner,
                L"A disc image cannot hold these; nothing was written:" +
                    refusalText(run.plan.refusals),
                MB_OK | MB_ICONERROR);
            return;
        }
        run.total = run.plan.imageBytes();
    }

    runWithProgress(owner, run);
    if (!run.done) {
        ask(owner,
            (cancelled() ? std::wstring(L"Cancelled") : wideOf(run.problem)) +
                L"\n\nNothing is left of this run under " + run.target + L".",
            MB_OK | (cancelled() ? MB_ICONINFORMATION : MB_ICONERROR));
        return;
    }
    std::wstring said;
    if (run.image) {
        said = L"Wrote " + run.target + L": " + wideOf(groupedNumber(run.plan.imageBytes())) +
               L" bytes, label \"" + wideOf(run.plan.label.joliet) + L"\".";
        for (const std::string& loss : run.plan.label.losses) said += L"\n" + wideOf(loss);
        for (const std::string& line : discFitLines(run.plan.imageBytes()))
            said += L"\n" + wideOf(line);
    } else {
        said = L"Copied " + wideOf(groupedNumber(run.copy.files)) + L" files to " + run.target +
               L", each verified by SHA-256.";
        for (const std::string& note : run.copy.notes) said += L"\n" + wideOf(note);
    }
    said += L"\n" + verdict;
    if (run.image && windowsBurnsImages()) {
        if (ask(owner, said + L"\n\nBurn it with Windows now?", MB_YESNO | MB_ICONINFORMATION) ==
            IDYES) {
            SHELLEXECUTEINFOW burn = {};
            burn.cbSize = sizeof burn;
            burn.hwnd = owner;
            burn.lpVerb = L"burn";
            burn.lpFile = run.target.c_str();
            burn.nShow = SW_SHOWNORMAL;
            if (!ShellExecuteExW(&burn))
                ask(owner, L"Windows could not start its disc image burner.", MB_OK | MB_ICONERROR);
        }
        return;
    }
    ask(owner, said, MB_OK | MB_ICONINFORMATION);
}
