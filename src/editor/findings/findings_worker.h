// The checker's findings for the editor, kept current as the author types, without saving:
// each text handed in is checked in a child process (findings_child.h) on a thread of its
// own, once the author has paused, and the result is posted to a window.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "editor/findings/check_folder.h"
#include "editor/findings/child_run.h"

struct CheckResult;

class FindingsWorker {
public:
    // Results go to `notify` as `message`: wParam the request's generation (request()'s
    // number), lParam a CheckResult* from new, which the window deletes. `childProgram` is
    // started as `childProgram --findings ...` (findings_child.h); empty: this program.
    FindingsWorker(HWND notify, UINT message, std::wstring childProgram);
    // Ends a check that is running, and the thread, before it returns; nothing is posted
    // after.
    ~FindingsWorker();
    FindingsWorker(const FindingsWorker&) = delete;
    FindingsWorker& operator=(const FindingsWorker&) = delete;

    // Asks for the findings of `fileBytes`, the menu file `menuFile` as it would be saved;
    // `root` is the medium's root (empty: the menu file's folder) and `program` the menu
    // program whose picture the captions are measured on (empty: the one beside the menu
    // file). Returns at once with the request's generation, counting from 1, having taken
    // no more than a lock the worker holds briefly. The check starts once no request came
    // for kQuietMs (its process is started before, to load meanwhile); a newer request
    // overtakes an older one, whose result is never posted (a check of it still running is
    // ended).
    std::uint32_t request(std::string fileBytes, std::wstring menuFile, std::wstring root,
                          std::wstring program);

    // How long the author must pause before the text is checked.
    static constexpr DWORD kQuietMs = 150;
    // How long a check may run before it is ended and reported as failed.
    static constexpr DWORD kLongestCheckMs = 30000;

private:
    struct Request {
        std::string bytes;
        std::wstring menuFile, root, program;
    };

    static unsigned __stdcall threadMain(void* worker);
    void run();
    // The next request once the author paused, the check's process started meanwhile; false
    // when the worker stops.
    bool nextRequest(Request& request, std::uint32_t& generation);
    // Starts the check's process for the paths of `request`, unless one waits for them.
    void prepare(const Request& request);
    // The result of `request`, from new; null when overtaken or stopping.
    CheckResult* check(const Request& request, std::uint32_t generation);
    bool overtaken(std::uint32_t generation);
    void post(std::uint32_t generation, CheckResult* result);

    const HWND notify_;
    const UINT message_;
    std::wstring child_;

    CRITICAL_SECTION lock_;
    CONDITION_VARIABLE changed_;  // a request came, or the worker stops
    // Under lock_.
    Request pending_;
    bool hasPending_ = false;
    bool stopping_ = false;
    std::uint32_t generation_ = 0;
    ULONGLONG lastRequest_ = 0;

    HANDLE stop_ = nullptr;  // set when the worker stops
    HANDLE thread_ = nullptr;

    // The worker thread's alone: the folder of the checked text, and the check's process
    // started ahead for one command line (or why it did not start).
    CheckFolder folder_;
    ChildRun process_;
    std::wstring startedFor_;
    std::string startFailure_;
    // The menu program found in a folder, looked for once a check.
    std::wstring programFolder_, programFound_;
};
