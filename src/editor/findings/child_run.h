// A program run without a window, started ahead of need: it loads while the author still
// types, waits for go() on its standard input, and its standard output is read through a
// pipe until it ends. Starting a process costs more than the wait for the author's pause
// (most of all under Wine), so the two overlap.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

struct ChildCommand {
    std::wstring program;      // the program file
    std::wstring commandLine;  // its whole command line, its own name first
    std::wstring folder;       // its current folder
    std::wstring environment;  // its environment block (name=value, each ending in NUL)
};

struct ChildOutput {
    enum class Outcome { Done, Interrupted, Failed };
    Outcome outcome = Outcome::Failed;
    std::string output;   // all it wrote to its standard output, when Done
    std::string failure;  // why not, when Failed, as words (UTF-8)
};

// The most a check writes: far more than the findings of the largest menu file.
constexpr std::size_t kLargestChildOutput = 64 * 1024 * 1024;

class ChildRun {
public:
    ChildRun() = default;
    // Ends the program if it still runs.
    ~ChildRun() { end(); }
    ChildRun(const ChildRun&) = delete;
    ChildRun& operator=(const ChildRun&) = delete;

    // Starts `command`, ending the program started before if it still runs. False, with why
    // (UTF-8), when it cannot start.
    bool start(const ChildCommand& command, std::string& failure);
    bool started() const { return process_ != nullptr; }

    // Lets the program go on, then reads its output until it ends with code 0 (Done). Every
    // few milliseconds, and when `stop` is signalled, asks `interrupted()`: when it says so,
    // ends the program and gives Interrupted. Ends it and gives Failed when it runs longer
    // than `limitMs` from now, writes more than kLargestChildOutput bytes or ends with another
    // code. Returns once the program has ended.
    ChildOutput finish(HANDLE stop, const std::function<bool()>& interrupted, DWORD limitMs);

    // Ends the program and waits until it has gone.
    void end();

private:
    HANDLE process_ = nullptr;
    HANDLE output_ = nullptr;  // our end of its standard output, overlapped
    HANDLE input_ = nullptr;   // our end of its standard input
};

// This process's environment with TMP and TEMP set to `folder`, as a block for ChildRun.
std::wstring environmentWithTemp(const std::wstring& folder);
