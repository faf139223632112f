#include "editor/findings/child_run.h"

#include <algorithm>
#include <cwchar>
#include <vector>

#include "console/system_error.h"

namespace {

// How long output may stay missing after the program ended: all it wrote is in the pipe by
// then, so a read still waiting means another process holds the pipe's other end.
constexpr DWORD kAfterExitMs = 200;
// How long an ended program may take to go.
constexpr DWORD kEndingMs = 5000;
// How often a running program is asked after whether it is still wanted.
constexpr DWORD kAskEveryMs = 15;
constexpr DWORD kPipeBuffer = 64 * 1024;

void closeHandle(HANDLE& handle) {
    if (handle != nullptr && handle != INVALID_HANDLE_VALUE) CloseHandle(handle);
    handle = nullptr;
}

std::string failure(const std::string& what, DWORD error) {
    return what + ": " + systemErrorText(error);
}

// The pipe of the program's standard output: this process reads one end, overlapped, and
// the program inherits the other. False, with the system's error, when it cannot be made.
bool makeOutputPipe(HANDLE& readEnd, HANDLE& writeEnd, DWORD& error) {
    static volatile LONG pipes = 0;
    const std::wstring name = L"\\\\.\\pipe\\autorun-menu-edit-findings-" +
                              std::to_wstring(GetCurrentProcessId()) + L"-" +
                              std::to_wstring(InterlockedIncrement(&pipes));
    readEnd = CreateNamedPipeW(
        name.c_str(), PIPE_ACCESS_INBOUND | FILE_FLAG_OVERLAPPED | FILE_FLAG_FIRST_PIPE_INSTANCE,
        PIPE_TYPE_BYTE | PIPE_READMODE_BYTE | PIPE_WAIT | PIPE_REJECT_REMOTE_CLIENTS, 1, 0,
        kPipeBuffer, 0, nullptr);
    if (readEnd == INVALID_HANDLE_VALUE) {
        readEnd = nullptr;
        error = GetLastError();
        return false;
    }
    SECURITY_ATTRIBUTES inherited = {sizeof inherited, nullptr, TRUE};
    writeEnd = CreateFileW(name.c_str(), GENERIC_WRITE, 0, &inherited, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (writeEnd == INVALID_HANDLE_VALUE) {
        writeEnd = nullptr;
        error = GetLastError();
        return false;
    }
    return true;
}

// The pipe of the program's standard input, whose read end alone it inherits.
bool makeInputPipe(HANDLE& readEnd, HANDLE& writeEnd, DWORD& error) {
    SECURITY_ATTRIBUTES inherited = {sizeof inherited, nullptr, TRUE};
    if (CreatePipe(&readEnd, &writeEnd, &inherited, 0) == 0 ||
        SetHandleInformation(writeEnd, HANDLE_FLAG_INHERIT, 0) == 0) {
        error = GetLastError();
        return false;
    }
    return true;
}

// Starts `command` with the two pipe ends as its standard handles, the only handles it
// inherits.
bool startProcess(const ChildCommand& command, HANDLE input, HANDLE output,
                  PROCESS_INFORMATION& process, DWORD& error) {
    SIZE_T size = 0;
    // Asks the size of a list of one attribute, so it fails by design.
    InitializeProcThreadAttributeList(nullptr, 1, 0, &size);
    std::vector<char> listBytes(size);
    auto* list = reinterpret_cast<LPPROC_THREAD_ATTRIBUTE_LIST>(listBytes.data());
    if (size == 0 || InitializeProcThreadAttributeList(list, 1, 0, &size) == 0) {
        error = GetLastError();
        return false;
    }
    HANDLE inherited[] = {input, output};
    bool ok = UpdateProcThreadAttribute(list, 0, PROC_THREAD_ATTRIBUTE_HANDLE_LIST, inherited,
                                        sizeof inherited, nullptr, nullptr) != 0;
    if (ok) {
        STARTUPINFOEXW startup = {};
        startup.StartupInfo.cb = sizeof startup;
        // Without the feedback flag Windows shows the "working in background" pointer for
        // seconds after every start, which while typing would be all the time.
        startup.StartupInfo.dwFlags = STARTF_USESTDHANDLES | STARTF_FORCEOFFFEEDBACK;
        startup.StartupInfo.hStdInput = input;
        startup.StartupInfo.hStdOutput = output;
        startup.lpAttributeList = list;
        // CreateProcessW may write into the command line; the environment it only reads.
        std::wstring commandLine = command.commandLine;
        std::wstring environment = command.environment;
        ok = CreateProcessW(
                 command.program.c_str(), &commandLine[0], nullptr, nullptr, TRUE,
                 CREATE_NO_WINDOW | CREATE_UNICODE_ENVIRONMENT | EXTENDED_STARTUPINFO_PRESENT,
                 environment.empty() ? nullptr : &environment[0],
                 command.folder.empty() ? nullptr : command.folder.c_str(), &startup.StartupInfo,
                 &process) != 0;
    }
    if (!ok) error = GetLastError();
    DeleteProcThreadAttributeList(list);
    return ok;
}

ULONGLONG now() { return GetTickCount64(); }

DWORD remaining(ULONGLONG until) {
    const ULONGLONG time = now();
    return time >= until ? 0 : static_cast<DWORD>(until - time);
}

}  // namespace

bool ChildRun::start(const ChildCommand& command, std::string& why) {
    end();
    HANDLE childInput = nullptr;
    HANDLE childOutput = nullptr;
    DWORD error = 0;
    PROCESS_INFORMATION process = {};
    bool ok = makeOutputPipe(output_, childOutput, error);
    if (!ok) {
        why = failure("no pipe for its output", error);
    } else if (!(ok = makeInputPipe(childInput, input_, error))) {
        why = failure("no pipe for its input", error);
    } else if (!(ok = startProcess(command, childInput, childOutput, process, error))) {
        why = failure("it could not start", error);
    }
    // The program holds its own ends now: its output pipe breaks when it ends.
    closeHandle(childInput);
    closeHandle(childOutput);
    if (!ok) {
        closeHandle(output_);
        closeHandle(input_);
        return false;
    }
    CloseHandle(process.hThread);
    process_ = process.hProcess;
    return true;
}

void ChildRun::end() {
    if (process_ != nullptr) {
        TerminateProcess(process_, 1);
        WaitForSingleObject(process_, kEndingMs);
    }
    closeHandle(process_);
    closeHandle(output_);
    closeHandle(input_);
}

ChildOutput ChildRun::finish(HANDLE stop, const std::function<bool()>& interrupted, DWORD limitMs) {
    ChildOutput result;
    DWORD error = 0;
    DWORD written = 0;
    if (process_ == nullptr) {
        result.failure = "it was not started";
        return result;
    }
    // One byte lets it go on; closing the pipe after it tells it there is no more.
    if (WriteFile(input_, "g", 1, &written, nullptr) == 0 || written != 1) {
        error = GetLastError();
        // A program that ended before it was needed says how.
        DWORD code = 0;
        if (WaitForSingleObject(process_, kAfterExitMs) == WAIT_OBJECT_0 &&
            GetExitCodeProcess(process_, &code) != 0) {
            result.failure = "it ended with code " + std::to_string(code) + " before it was needed";
        } else {
            result.failure = failure("it could not be told to go on", error);
        }
        end();
        return result;
    }
    closeHandle(input_);
    HANDLE readDone = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    if (readDone == nullptr) {
        result.failure = failure("no event to read its output with", GetLastError());
        end();
        return result;
    }
    const ULONGLONG deadline = now() + limitMs;
    ULONGLONG until = deadline;
    bool exited = false;
    bool over = false;  // its output is all read
    std::vector<char> buffer(kPipeBuffer);
    while (!over && result.failure.empty() && result.outcome != ChildOutput::Outcome::Interrupted) {
        OVERLAPPED overlapped = {};
        overlapped.hEvent = readDone;
        if (ReadFile(output_, buffer.data(), static_cast<DWORD>(buffer.size()), nullptr,
                     &overlapped) == 0) {
            error = GetLastError();
            if (error == ERROR_BROKEN_PIPE) break;
            if (error != ERROR_IO_PENDING) {
                result.failure = failure("its output could not be read", error);
                break;
            }
        }
        // Until the read is done: the program ending, a stop or the time running out may
        // come first.
        bool readFinished = false;
        while (!readFinished && !over && result.failure.empty() &&
               result.outcome != ChildOutput::Outcome::Interrupted) {
            HANDLE waits[] = {readDone, stop, process_};
            const DWORD left = remaining(until);
            const DWORD waited = WaitForMultipleObjects(exited ? 2 : 3, waits, FALSE,
                                                        left < kAskEveryMs ? left : kAskEveryMs);
            if (waited == WAIT_OBJECT_0) {
                readFinished = true;
            } else if (waited == WAIT_OBJECT_0 + 2) {
                exited = true;
                until = std::min(deadline, now() + kAfterExitMs);
            } else if (waited == WAIT_FAILED) {
                result.failure = failure("waiting for it failed", GetLastError());
            } else if (interrupted()) {
                result.outcome = ChildOutput::Outcome::Interrupted;
            } else if (remaining(until) == 0) {
                if (exited) {
                    over = true;  // all there is has been read
                } else {
                    result.failure = "it took longer than " + std::to_string(limitMs / 1000) +
                                     " seconds, so it was ended";
                }
            }
        }
        DWORD got = 0;
        if (!readFinished) {
            // The read must be over before its buffer and OVERLAPPED go.
            CancelIo(output_);
            GetOverlappedResult(output_, &overlapped, &got, TRUE);
            break;
        }
        if (GetOverlappedResult(output_, &overlapped, &got, FALSE) == 0) {
            error = GetLastError();
            if (error != ERROR_BROKEN_PIPE)
                result.failure = failure("its output could not be read", error);
            break;
        }
        result.output.append(buffer.data(), got);
        if (result.output.size() > kLargestChildOutput) {
            result.failure = "it wrote more than " + std::to_string(kLargestChildOutput) +
                             " bytes, so it was ended";
        }
    }
    CloseHandle(readDone);
    if (!result.failure.empty() || result.outcome == ChildOutput::Outcome::Interrupted) {
        end();
        result.output.clear();
        return result;
    }

    // Its output is over: it ends now, or it is ended.
    if (WaitForSingleObject(process_, remaining(deadline)) != WAIT_OBJECT_0) {
        end();
        result.failure = "it did not end after its output, so it was ended";
        return result;
    }
    DWORD code = 0;
    if (GetExitCodeProcess(process_, &code) == 0) {
        result.failure = failure("its exit code could not be read", GetLastError());
    } else if (code != 0) {
        result.failure = "it ended with code " + std::to_string(code);
    } else {
        result.outcome = ChildOutput::Outcome::Done;
    }
    end();
    if (result.outcome != ChildOutput::Outcome::Done) result.output.clear();
    return result;
}

std::wstring environmentWithTemp(const std::wstring& folder) {
    std::vector<std::wstring> entries;
    wchar_t* block = GetEnvironmentStringsW();
    if (block != nullptr) {
        for (const wchar_t* entry = block; *entry != L'\0'; entry += std::wcslen(entry) + 1)
            entries.emplace_back(entry);
        FreeEnvironmentStringsW(block);
    }
    const auto nameOf = [](const std::wstring& entry) {
        // Names of drives' current folders ("=C:=C:\...") start with "=".
        return entry.substr(0, entry.find(L'=', 1));
    };
    const auto sameName = [](const std::wstring& a, const std::wstring& b) {
        return CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(),
                                    static_cast<int>(b.size()), TRUE) == CSTR_EQUAL;
    };
    const auto before = [](const std::wstring& a, const std::wstring& b) {
        return CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(),
                                    static_cast<int>(b.size()), TRUE) == CSTR_LESS_THAN;
    };
    for (const wchar_t* name : {L"TEMP", L"TMP"}) {
        entries.erase(std::remove_if(
                          entries.begin(), entries.end(),
                          [&](const std::wstring& entry) { return sameName(nameOf(entry), name); }),
                      entries.end());
        // In its place by name, as the system keeps the block.
        const auto at = std::find_if(entries.begin(), entries.end(), [&](const std::wstring& e) {
            return e[0] != L'=' && before(name, nameOf(e));
        });
        entries.insert(at, std::wstring(name) + L"=" + folder);
    }
    std::wstring environment;
    for (const std::wstring& entry : entries) environment += entry + L'\0';
    return environment + L'\0';
}
