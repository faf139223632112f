// Start-up figures of the menu under the platform, against what any window costs here:
//  - ready: from process creation until WaitForInputIdle returns (the menu has painted and
//    waits for input), interleaved with a dialog that only shows the picture;
//  - second copy: until a second copy exits while the first shows its menu, against a
//    program that only loads USER32 and GDI32 and returns.
// Usage: startup-bench [runs] [menu]   (default 41 runs of the built menu; `menu` names
// another build of it among the benchmark programs, such as menu-without-swap-flags.exe)
#include <cstdlib>

#include "bench_common.h"

namespace {

struct Started {
    PROCESS_INFORMATION process = {};
    bool ok = false;
};

Started start(const std::string& program, const std::string& folder) {
    Started started;
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    std::string commandLine = "\"" + program + "\"";
    started.ok = CreateProcessA(program.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0,
                                nullptr, folder.c_str(), &startup, &started.process) != FALSE;
    return started;
}

BOOL CALLBACK closeWindowsOf(HWND window, LPARAM processId) {
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == static_cast<DWORD>(processId)) PostMessageA(window, WM_CLOSE, 0, 0);
    return TRUE;
}

void closeAndWait(Started& started) {
    EnumWindows(closeWindowsOf, static_cast<LPARAM>(started.process.dwProcessId));
    if (WaitForSingleObject(started.process.hProcess, 10000) != WAIT_OBJECT_0) {
        TerminateProcess(started.process.hProcess, 1);
        WaitForSingleObject(started.process.hProcess, 10000);
    }
    CloseHandle(started.process.hThread);
    CloseHandle(started.process.hProcess);
}

// Seconds until the program is ready for input; the program stays open. Negative on failure.
double timeUntilReady(const std::string& program, const std::string& folder, Started& started) {
    const double begin = nowSeconds();
    started = start(program, folder);
    if (!started.ok) return -1;
    if (WaitForInputIdle(started.process.hProcess, 20000) != 0) return -1;
    return nowSeconds() - begin;
}

// Seconds until the program has exited. Negative on failure.
double timeUntilExit(const std::string& program, const std::string& folder) {
    const double begin = nowSeconds();
    Started started = start(program, folder);
    if (!started.ok) return -1;
    const bool ended = WaitForSingleObject(started.process.hProcess, 20000) == WAIT_OBJECT_0;
    const double elapsed = nowSeconds() - begin;
    if (!ended) TerminateProcess(started.process.hProcess, 1);
    CloseHandle(started.process.hThread);
    CloseHandle(started.process.hProcess);
    return ended ? elapsed : -1;
}

bool copyBeside(const std::string& name, const std::string& from, const std::string& to) {
    return CopyFileA((from + name).c_str(), (to + name).c_str(), FALSE) != FALSE;
}

}  // namespace

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::atoi(argv[1]) : 41;
    const std::string here = programFolder();
    const std::string measured = argc > 2 ? here + argv[2] : here + "..\\autorun-menu.exe";

    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    const std::string medium = std::string(temp) + "autorun-menu-bench\\";
    CreateDirectoryA(medium.c_str(), nullptr);
    if (!CopyFileA(measured.c_str(), (medium + "autorun-menu.exe").c_str(), FALSE) ||
        !copyBeside("baseline-dialog.exe", here, medium) ||
        !copyBeside("immediate-exit.exe", here, medium) ||
        !writeFile(medium + "autorun.inf", fullMenuFile())) {
        std::fprintf(stderr, "startup-bench: cannot lay out the medium in %s\n", medium.c_str());
        return 1;
    }
    const std::string menu = medium + "autorun-menu.exe";
    const std::string baseline = medium + "baseline-dialog.exe";
    const std::string immediate = medium + "immediate-exit.exe";

    // One run of each first, not counted: the platform's caches warm up.
    Started warm;
    if (timeUntilReady(menu, medium, warm) < 0) {
        std::fprintf(stderr, "startup-bench: the menu did not start\n");
        return 1;
    }
    closeAndWait(warm);
    timeUntilReady(baseline, medium, warm);
    closeAndWait(warm);

    std::vector<double> menuReady, baselineReady, secondCopy, immediateExit;
    for (int i = 0; i < runs; ++i) {
        // Alternate which goes first, so neither always follows the other.
        for (int turn = 0; turn < 2; ++turn) {
            const bool menuTurn = (turn == 0) == (i % 2 == 0);
            Started started;
            if (menuTurn) {
                const double ready = timeUntilReady(menu, medium, started);
                if (ready >= 0) menuReady.push_back(ready);
                // While this copy shows its menu: a second copy, and the bare program.
                const double second = timeUntilExit(menu, medium);
                if (second >= 0) secondCopy.push_back(second);
                const double bare = timeUntilExit(immediate, medium);
                if (bare >= 0) immediateExit.push_back(bare);
            } else {
                const double ready = timeUntilReady(baseline, medium, started);
                if (ready >= 0) baselineReady.push_back(ready);
            }
            closeAndWait(started);
        }
    }
    if (menuReady.empty() || baselineReady.empty() || secondCopy.empty() || immediateExit.empty()) {
        std::fprintf(stderr, "startup-bench: no measurements\n");
        return 1;
    }

    std::printf("Start-up of %s, %d runs each (milliseconds)\n", measured.c_str(), runs);
    printFigures("menu ready for input", menuReady, 1000, "ms");
    printFigures("baseline dialog ready for input", baselineReady, 1000, "ms");
    std::printf("  %-34s %.3f\n", "ratio of medians menu/baseline",
                median(menuReady) / median(baselineReady));
    printFigures("second copy exits", secondCopy, 1000, "ms");
    printFigures("USER32+GDI32 program exits", immediateExit, 1000, "ms");
    std::printf("  %-34s %.3f\n", "ratio of medians second/bare",
                median(secondCopy) / median(immediateExit));

    DeleteFileA(menu.c_str());
    DeleteFileA(baseline.c_str());
    DeleteFileA(immediate.c_str());
    DeleteFileA((medium + "autorun.inf").c_str());
    RemoveDirectoryA(medium.c_str());
    return 0;
}
