#include "running_program.h"

RunningProgram::RunningProgram(const std::string& path, const std::string& arguments) {
    job_ = CreateJobObjectA(nullptr, nullptr);
    if (job_ == nullptr) return;
    JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits = {};
    limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
    SetInformationJobObject(job_, JobObjectExtendedLimitInformation, &limits, sizeof limits);

    const std::string folder = path.substr(0, path.find_last_of("\\/") + 1);
    std::string commandLine = "\"" + path + "\"";
    if (!arguments.empty()) commandLine += " " + arguments;
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info = {};
    // Suspended until it is in the job, so nothing it starts can escape the job. Wine now
    // and then fails to lay out a new process's address space; a program that cannot
    // start fails every time, so a few attempts hide nothing.
    bool created = false;
    for (int attempt = 0; attempt < 3 && !created; ++attempt) {
        created = CreateProcessA(path.c_str(), &commandLine[0], nullptr, nullptr, FALSE,
                                 CREATE_SUSPENDED, nullptr, folder.c_str(), &startup, &info);
    }
    if (!created) return;
    if (!AssignProcessToJobObject(job_, info.hProcess)) {
        TerminateProcess(info.hProcess, 1);
        CloseHandle(info.hThread);
        CloseHandle(info.hProcess);
        return;
    }
    ResumeThread(info.hThread);
    CloseHandle(info.hThread);
    process_ = info.hProcess;
    id_ = info.dwProcessId;
}

RunningProgram::~RunningProgram() {
    kill();
    if (process_ != nullptr) CloseHandle(process_);
    if (job_ != nullptr) CloseHandle(job_);
}

void RunningProgram::kill() {
    if (job_ != nullptr) TerminateJobObject(job_, 1);
    if (process_ != nullptr) {
        TerminateProcess(process_, 1);
        WaitForSingleObject(process_, kEndTimeoutMs);
    }
}

std::optional<DWORD> RunningProgram::waitForExit(DWORD timeoutMs) const {
    if (process_ == nullptr || WaitForSingleObject(process_, timeoutMs) != WAIT_OBJECT_0) {
        return std::nullopt;
    }
    DWORD code = 0;
    GetExitCodeProcess(process_, &code);
    return code;
}

bool menuLockHeld() {
    HANDLE lock = OpenMutexA(SYNCHRONIZE, FALSE, kMenuLockName);
    if (lock == nullptr) return false;
    const DWORD wait = WaitForSingleObject(lock, 0);
    if (wait == WAIT_OBJECT_0 || wait == WAIT_ABANDONED) ReleaseMutex(lock);
    CloseHandle(lock);
    return wait == WAIT_TIMEOUT;
}

namespace {

struct WindowSearch {
    DWORD processId;
    std::vector<HWND> found;
};

BOOL CALLBACK collectVisibleWindow(HWND window, LPARAM context) {
    auto* search = reinterpret_cast<WindowSearch*>(context);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == search->processId && IsWindowVisible(window)) search->found.push_back(window);
    return TRUE;
}

}  // namespace

std::vector<HWND> visibleWindowsOf(DWORD processId) {
    WindowSearch search{processId, {}};
    EnumWindows(collectVisibleWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::string windowText(HWND window) {
    char text[1024] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
}

std::string windowClass(HWND window) {
    char name[256] = {};
    GetClassNameA(window, name, sizeof name);
    return name;
}

HWND findMenuWindow(DWORD processId, const std::string& title) {
    for (HWND window : visibleWindowsOf(processId)) {
        if (GetWindow(window, GW_OWNER) == nullptr && windowText(window) == title) return window;
    }
    return nullptr;
}

HWND waitForMenuWindow(const RunningProgram& program, const std::string& title) {
    if (!program.started()) return nullptr;
    HWND menu = nullptr;
    waitUntil(
        [&] {
            menu = findMenuWindow(program.id(), title);
            return menu != nullptr || program.waitForExit(0).has_value();
        },
        kStartTimeoutMs);
    // The menu's modal loop waits for input once the window is set up and shown.
    if (menu != nullptr) WaitForInputIdle(program.process(), kStartTimeoutMs);
    return menu;
}

HWND findMessageBoxOf(HWND owner) {
    DWORD processId = 0;
    GetWindowThreadProcessId(owner, &processId);
    for (HWND window : visibleWindowsOf(processId)) {
        if (GetWindow(window, GW_OWNER) == owner && windowClass(window) == "#32770") return window;
    }
    return nullptr;
}
