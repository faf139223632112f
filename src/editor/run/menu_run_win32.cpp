#include "editor/run/menu_run.h"

#include <new>
#include <utility>
#include <vector>

#include "brand/file_problem.h"
#include "checker/medium_root.h"
#include "console/console_text.h"
#include "console/paths.h"
#include "console/system_error.h"
#include "editor/run/drive_mapping.h"
#include "editor/run/run_plan.h"
#include "startup/instance_guard.h"

namespace {

// `text` in the system's code page, as the menu (an ANSI program) gets its own path; false
// when a character has no exact equal there.
bool ansiText(const std::wstring& text, std::string& ansi) {
    const int size = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.c_str(), -1, nullptr, 0,
                                         nullptr, nullptr);
    if (size <= 0) return false;
    std::vector<char> bytes(static_cast<std::size_t>(size), '\0');
    BOOL lossy = FALSE;
    if (WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.c_str(), -1, bytes.data(), size,
                            nullptr, &lossy) != size ||
        lossy) {
        return false;
    }
    ansi.assign(bytes.data());
    return true;
}

// True when the menu started from `folder` (ending in a backslash) takes that folder itself
// as the medium's root: the root of a drive or share, read whole in the system's code page.
bool menuTakesFolderAsRoot(const std::wstring& folder) {
    std::string ansi;
    if (!ansiText(folder, ansi)) return false;
    return !rootTheMenuTakes(ansi).empty() && !menuTakesAnotherRoot(ansi);
}

bool menuRunning() {
    HANDLE lock = OpenMutexA(SYNCHRONIZE, FALSE, kMenuInstanceLockName);
    if (lock == nullptr) return false;
    CloseHandle(lock);
    return true;
}

// What the thread that waits for the menu holds: it owns the process handle and frees it.
struct RunWatch {
    HANDLE process = nullptr;
    HWND notify = nullptr;
    UINT doneMessage = 0;
};

// The drive letter of the last run, kept for the programs the menu started; used from the
// thread that starts runs only.
DriveMapping& lastMapping() {
    static DriveMapping mapping;
    return mapping;
}

DWORD WINAPI watchRun(LPVOID parameter) {
    RunWatch* watch = static_cast<RunWatch*>(parameter);
    WaitForSingleObject(watch->process, INFINITE);
    DWORD exitCode = 0;
    if (!GetExitCodeProcess(watch->process, &exitCode)) exitCode = static_cast<DWORD>(-1);
    CloseHandle(watch->process);
    if (watch->notify != nullptr) PostMessageW(watch->notify, watch->doneMessage, exitCode, 0);
    delete watch;
    return 0;
}

}  // namespace

bool startMenuRun(const std::wstring& menuFile, const std::wstring& program, HWND notify,
                  UINT doneMessage, MenuRun& run, std::wstring& error) {
    MenuRunFiles files;
    if (!menuRunFiles(fullPathOf(menuFile), fullPathOf(program), files, error)) return false;
    const std::wstring where = files.folder + files.programName;
    const DWORD attributes = GetFileAttributesW(where.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        const DWORD reason = GetLastError();
        error = L"The menu program " + where + L" cannot be found: " + systemErrorWords(reason);
        return false;
    }
    if ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        error = L"The menu program " + where + L" is a folder, not a program.";
        return false;
    }
    if (menuRunning()) {
        error =
            L"A menu is running already, and only one runs at a time. Close it, then run "
            L"the menu again.";
        return false;
    }

    // The letter of the run before goes now: its menu has ended.
    DriveMapping& mapping = lastMapping();
    mapping.remove();
    RunWatch* watch = new (std::nothrow) RunWatch;
    if (watch == nullptr) {
        error = L"There is not enough memory to run the menu.";
        return false;
    }
    std::wstring root = files.folder;
    if (!menuTakesFolderAsRoot(files.folder)) {
        if (!mapping.map(files.folder, error)) {
            error +=
                L"\n\nRun works from the root of a drive, so the menu sees the medium as "
                L"it will: open the medium on a drive of its own (a USB stick, a drive "
                L"letter made with subst, or a disc image mounted by Windows) and run "
                L"it there.";
            delete watch;
            return false;
        }
        root = mapping.root();
        // A letter may be mapped and yet lead nowhere (under Wine it does): tell the author
        // why nothing starts.
        if (GetFileAttributesW((root + files.programName).c_str()) == INVALID_FILE_ATTRIBUTES) {
            const DWORD reason = GetLastError();
            error = L"The folder " + files.folder + L" was mapped to drive " + root +
                    L", but the menu program cannot be reached there: " + systemErrorWords(reason);
            mapping.remove();
            delete watch;
            return false;
        }
    }

    const std::wstring started = root + files.programName;
    std::wstring commandText = L"\"" + started + L"\"";
    std::vector<wchar_t> commandLine(commandText.begin(), commandText.end());
    commandLine.push_back(L'\0');  // CreateProcessW may write into its command line
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    // Started suspended until the thread that waits for it runs, so that a menu never runs
    // without someone to tell when it ends.
    if (!CreateProcessW(started.c_str(), commandLine.data(), nullptr, nullptr, FALSE,
                        CREATE_SUSPENDED, nullptr, root.c_str(), &startup, &process)) {
        const DWORD reason = GetLastError();
        error =
            L"The menu program " + started + L" could not be started: " + systemErrorWords(reason);
        mapping.remove();
        delete watch;
        return false;
    }
    watch->process = process.hProcess;
    watch->notify = notify;
    watch->doneMessage = doneMessage;
    const wchar_t drive = mapping.letter();
    HANDLE waiter = CreateThread(nullptr, 0, watchRun, watch, 0, nullptr);
    if (waiter == nullptr) {
        const DWORD reason = GetLastError();
        error = L"The menu could not be run: " + systemErrorWords(reason);
        TerminateProcess(process.hProcess, 1);
        WaitForSingleObject(process.hProcess, 5000);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
        mapping.remove();
        delete watch;
        return false;
    }
    CloseHandle(waiter);
    // From here the waiting thread owns `watch`; should the menu not go on, ending it lets
    // that thread post the message.
    if (ResumeThread(process.hThread) == static_cast<DWORD>(-1)) {
        const DWORD reason = GetLastError();
        error = L"The menu could not be run: " + systemErrorWords(reason);
        TerminateProcess(process.hProcess, 1);
        CloseHandle(process.hThread);
        return false;
    }
    CloseHandle(process.hThread);
    run.processId = process.dwProcessId;
    run.drive = drive;
    run.program = started;
    return true;
}

bool endMenuRuns() { return lastMapping().remove(); }
