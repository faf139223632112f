#include "editor/findings/findings_worker.h"

#include <process.h>

#include <new>
#include <utility>
#include <vector>

#include "checker/medium_check.h"
#include "checker/menu_program.h"
#include "checker/report.h"
#include "console/console_text.h"
#include "console/paths.h"
#include "editor/findings/ansi_path.h"
#include "editor/findings/findings_command.h"
#include "editor/findings/findings_result.h"
#include "editor/findings/findings_wire.h"

namespace {

CheckResult* failedResult(const std::string& menuFile, const std::string& reason) {
    return new (std::nothrow) CheckResult(failedCheck(menuFile, reason, kUtf8CodePage));
}

}  // namespace

FindingsWorker::FindingsWorker(HWND notify, UINT message, std::wstring childProgram)
    : notify_(notify), message_(message), child_(std::move(childProgram)) {
    if (child_.empty()) child_ = programPath();
    InitializeCriticalSection(&lock_);
    InitializeConditionVariable(&changed_);
    stop_ = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    if (stop_ != nullptr) {
        // The C runtime's own thread start, as the thread uses the runtime.
        thread_ =
            reinterpret_cast<HANDLE>(_beginthreadex(nullptr, 0, threadMain, this, 0, nullptr));
    }
}

FindingsWorker::~FindingsWorker() {
    if (thread_ != nullptr) {
        EnterCriticalSection(&lock_);
        stopping_ = true;
        LeaveCriticalSection(&lock_);
        WakeAllConditionVariable(&changed_);
        SetEvent(stop_);
        WaitForSingleObject(thread_, INFINITE);
        CloseHandle(thread_);
    }
    if (stop_ != nullptr) CloseHandle(stop_);
    DeleteCriticalSection(&lock_);
}

std::uint32_t FindingsWorker::request(std::string fileBytes, std::wstring menuFile,
                                      std::wstring root, std::wstring program) {
    // The caller's copies are moved in, and waking the worker is no call to the system: the
    // caller never waits on the checker or on a busy system.
    EnterCriticalSection(&lock_);
    pending_.bytes = std::move(fileBytes);
    pending_.menuFile = std::move(menuFile);
    pending_.root = std::move(root);
    pending_.program = std::move(program);
    hasPending_ = true;
    const std::uint32_t generation = ++generation_;
    lastRequest_ = GetTickCount64();
    const std::string menuFileText = thread_ == nullptr ? ansiText(pending_.menuFile) : "";
    LeaveCriticalSection(&lock_);
    if (thread_ == nullptr) {
        post(generation, failedResult(menuFileText, "the editor could not start its check"));
    } else {
        WakeConditionVariable(&changed_);
    }
    return generation;
}

unsigned __stdcall FindingsWorker::threadMain(void* worker) {
    static_cast<FindingsWorker*>(worker)->run();
    return 0;
}

void FindingsWorker::run() {
    Request request;
    std::uint32_t generation = 0;
    while (nextRequest(request, generation)) post(generation, check(request, generation));
    process_.end();
}

bool FindingsWorker::nextRequest(Request& request, std::uint32_t& generation) {
    EnterCriticalSection(&lock_);
    for (;;) {
        if (stopping_) break;
        if (!hasPending_) {
            SleepConditionVariableCS(&changed_, &lock_, INFINITE);
            continue;
        }
        const ULONGLONG quiet = GetTickCount64() - lastRequest_;
        if (quiet >= kQuietMs) {
            request = std::move(pending_);
            pending_ = Request();
            hasPending_ = false;
            generation = generation_;
            LeaveCriticalSection(&lock_);
            return true;
        }
        // While the author types on, the check's process loads.
        Request paths;
        paths.menuFile = pending_.menuFile;
        paths.root = pending_.root;
        paths.program = pending_.program;
        LeaveCriticalSection(&lock_);
        prepare(paths);
        EnterCriticalSection(&lock_);
        if (!stopping_ && hasPending_ && GetTickCount64() - lastRequest_ < kQuietMs) {
            SleepConditionVariableCS(
                &changed_, &lock_,
                static_cast<DWORD>(kQuietMs - (GetTickCount64() - lastRequest_)));
        }
    }
    LeaveCriticalSection(&lock_);
    return false;
}

void FindingsWorker::prepare(const Request& request) {
    const std::wstring folder = folderOf(request.menuFile);
    if (folder.empty()) return;
    std::string failure;
    if (!folder_.make(failure)) {
        startFailure_ = failure;
        return;
    }
    // The copy stands elsewhere: the root and the menu program are those of the menu file.
    const std::wstring root = request.root.empty() ? folder : request.root;
    // Without a root of its own the check looks for the menu program beside the menu file.
    std::wstring program = request.program;
    if (program.empty() && !request.root.empty()) {
        if (programFolder_ != folder) {
            programFolder_ = folder;
            programFound_ = menuProgramIn(folder);
        }
        program = programFound_;
    }
    const std::wstring commandLine = findingsCommandLine(child_, folder_.menuFile(), root, program);
    if (commandLine == startedFor_ && (process_.started() || !startFailure_.empty())) return;
    ChildCommand command;
    command.program = child_;
    command.commandLine = commandLine;
    // Its own folders: it holds none of the medium's open, and what it leaves is removed.
    command.folder = folder_.folder();
    command.environment = environmentWithTemp(folder_.tempFolder());
    startedFor_ = commandLine;
    startFailure_.clear();
    if (!process_.start(command, failure)) startFailure_ = failure;
}

CheckResult* FindingsWorker::check(const Request& request, std::uint32_t generation) {
    const std::string real = ansiText(request.menuFile);
    if (folderOf(request.menuFile).empty())
        return failedResult(real,
                            "the menu file has no folder yet: it is checked once it is saved");
    prepare(request);
    const std::string process = "the check's process (" + utf8FromWideText(child_) + ")";
    std::string failure = startFailure_;
    if (failure.empty()) folder_.writeMenuFile(request.bytes, failure);
    if (!failure.empty()) {
        // The next check starts afresh.
        startedFor_.clear();
        startFailure_.clear();
        programFolder_.clear();
        process_.end();
        return failedResult(real, process + " failed: " + failure);
    }
    const ChildOutput output = process_.finish(
        stop_, [this, generation] { return overtaken(generation); }, kLongestCheckMs);
    startedFor_.clear();
    programFolder_.clear();
    folder_.emptyTemp();

    if (output.outcome == ChildOutput::Outcome::Interrupted) return nullptr;
    if (output.outcome == ChildOutput::Outcome::Failed)
        return failedResult(real, process + " failed: " + output.failure);
    CheckResult decoded;
    if (!decodeCheckResult(output.output, decoded))
        return failedResult(real, process + " gave no findings the editor can read");
    putBackMenuFile(decoded, ansiText(folder_.menuFile()), real);
    return new (std::nothrow) CheckResult(std::move(decoded));
}

bool FindingsWorker::overtaken(std::uint32_t generation) {
    EnterCriticalSection(&lock_);
    const bool over = stopping_ || generation != generation_;
    LeaveCriticalSection(&lock_);
    return over;
}

void FindingsWorker::post(std::uint32_t generation, CheckResult* result) {
    if (result == nullptr) return;
    // A result overtaken, or a window that has gone, is nobody's to delete but ours.
    if (overtaken(generation) || PostMessageW(notify_, message_, static_cast<WPARAM>(generation),
                                              reinterpret_cast<LPARAM>(result)) == 0) {
        delete result;
    }
}
