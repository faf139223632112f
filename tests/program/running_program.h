// The menu program started as a process of its own, and the windows it shows.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

// Time-outs for everything that waits on another process. Generous: a Windows process
// started under Wine on a busy machine can take seconds to show its first window.
constexpr DWORD kStartTimeoutMs = 20000;
constexpr DWORD kEndTimeoutMs = 15000;

// Polls `condition` every 10 ms until it holds or `timeoutMs` has passed. Returns whether
// it held; it is asked once more after the time-out, so a late answer still counts.
template <typename Condition>
bool waitUntil(Condition condition, DWORD timeoutMs) {
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    while (GetTickCount64() < deadline) {
        if (condition()) return true;
        Sleep(10);
    }
    return condition();
}

// A program started in a job of its own: everything it starts runs in the same job, and
// the whole job is killed when the object goes (or this test process dies), so a failing
// test never leaves a menu running, holding the single-instance lock, nor anything the
// menu started.
class RunningProgram {
public:
    // Starts `path` with the folder of `path` as its current folder, as a double click on
    // the program would, or with `arguments` after its name, as a file dropped onto it
    // gives. The environment is this process's own.
    explicit RunningProgram(const std::string& path, const std::string& arguments = "");
    ~RunningProgram();
    RunningProgram(const RunningProgram&) = delete;
    RunningProgram& operator=(const RunningProgram&) = delete;

    bool started() const { return process_ != nullptr; }
    DWORD id() const { return id_; }
    HANDLE process() const { return process_; }

    // The exit code once the process has ended within `timeoutMs`; nothing while it runs.
    std::optional<DWORD> waitForExit(DWORD timeoutMs) const;

    // Kills the program and everything it started, and waits (bounded) until it is gone.
    void kill();

private:
    HANDLE job_ = nullptr;
    HANDLE process_ = nullptr;
    DWORD id_ = 0;
};

// The name of the single-instance lock, the named mutex every copy of the menu takes.
constexpr char kMenuLockName[] = "TavrinAutoRunMultipleInstanceLock";

// True when a copy of the menu (or anything else) holds the single-instance lock, such as
// a menu left running by a test that was killed: no new menu can show then.
bool menuLockHeld();

// The visible top-level windows that belong to process `processId`.
std::vector<HWND> visibleWindowsOf(DWORD processId);

// The window's caption and class name.
std::string windowText(HWND window);
std::string windowClass(HWND window);

// The visible, ownerless top-level window of process `processId` with the caption `title`
// (the menu window), or null.
HWND findMenuWindow(DWORD processId, const std::string& title);

// Waits until the program shows its menu window with the caption `title` and the program
// waits for input; the window, or null when it did not appear in time or the program ended.
HWND waitForMenuWindow(const RunningProgram& program, const std::string& title);

// The visible message box (dialog class "#32770") owned by `owner`, or null.
HWND findMessageBoxOf(HWND owner);
