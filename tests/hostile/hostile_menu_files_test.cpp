// Menu files that no author would write, run with the real program: each one either ends
// the run quietly or shows the menu (then closed here). Never a crash, a hang, a message
// or an exit code other than 0.
#include <windows.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "built_program.h"
#include "hostile_files.h"
#include "running_program.h"
#include "test_files.h"

namespace {

// Runs the program at `path` to its end: closes the menu if one shows. The exit code, or
// nothing when it hung or showed something other than its menu.
testing::AssertionResult runsQuietly(const std::string& path) {
    RunningProgram program(path);
    if (!program.started()) return testing::AssertionFailure() << "did not start";
    std::vector<HWND> windows;
    const bool settled = waitUntil(
        [&] {
            windows = visibleWindowsOf(program.id());
            return !windows.empty() || program.waitForExit(0).has_value();
        },
        kStartTimeoutMs);
    if (!settled) return testing::AssertionFailure() << "neither ended nor showed its menu";
    if (!windows.empty()) {
        WaitForInputIdle(program.process(), kStartTimeoutMs);
        windows = visibleWindowsOf(program.id());
        if (windows.size() != 1)
            return testing::AssertionFailure() << windows.size() << " windows shown";
        PostMessageA(windows[0], WM_CLOSE, 0, 0);
    }
    const std::optional<DWORD> exitCode = program.waitForExit(kEndTimeoutMs);
    if (!exitCode) return testing::AssertionFailure() << "did not end";
    if (*exitCode != 0)
        return testing::AssertionFailure() << "exit code 0x" << std::hex << *exitCode;
    return testing::AssertionSuccess();
}

TEST(HostileMenuFiles, EndQuietlyOrShowTheMenu) {
    SetEnvironmentVariableA("HOSTILE_LONG", std::string(10000, 'L').c_str());
    for (const HostileFile& file : hostileFiles()) {
        SCOPED_TRACE(file.name);
        TempFolder medium;
        medium.write("autorun.inf", file.content);
        const std::string program = medium.path() + "hostile menu.exe";
        ASSERT_TRUE(copyProgram(builtProgramPath(), program));
        EXPECT_TRUE(runsQuietly(program));
    }
    SetEnvironmentVariableA("HOSTILE_LONG", nullptr);
}

}  // namespace
