// The console tools started alone on a console of their own, as Explorer starts them: they
// end with a prompt and wait for Enter, whatever made them end. (Started with their output
// to a file or pipe, as every other tool test starts them, they end at once.)
#include <windows.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "built_program.h"

namespace {

std::string toolPath(const char* relative) {
    char full[MAX_PATH];
    const DWORD length =
        GetFullPathNameA((testProgramFolder() + relative).c_str(), sizeof full, full, nullptr);
    return std::string(full, length);
}

// The text on the console of process `id`, one line a row, trailing blanks removed. The
// test process leaves its own console for it.
std::string consoleText(DWORD id) {
    std::string text;
    FreeConsole();
    if (!AttachConsole(id)) return text;
    HANDLE screen =
        CreateFileA("CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                    nullptr, OPEN_EXISTING, 0, nullptr);
    CONSOLE_SCREEN_BUFFER_INFO info = {};
    if (screen != INVALID_HANDLE_VALUE && GetConsoleScreenBufferInfo(screen, &info)) {
        std::string row(static_cast<std::size_t>(info.dwSize.X), ' ');
        for (SHORT y = 0; y <= info.dwCursorPosition.Y; ++y) {
            DWORD read = 0;
            ReadConsoleOutputCharacterA(screen, &row[0], static_cast<DWORD>(row.size()), {0, y},
                                        &read);
            std::string line = row.substr(0, read);
            line.erase(line.find_last_not_of(' ') + 1);
            text += line + "\n";
        }
    }
    if (screen != INVALID_HANDLE_VALUE) CloseHandle(screen);
    FreeConsole();
    return text;
}

// Presses Enter on the console of process `id`.
bool pressEnter(DWORD id) {
    FreeConsole();
    if (!AttachConsole(id)) return false;
    HANDLE input =
        CreateFileA("CONIN$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                    nullptr, OPEN_EXISTING, 0, nullptr);
    INPUT_RECORD keys[2] = {};
    for (int i = 0; i < 2; ++i) {
        keys[i].EventType = KEY_EVENT;
        keys[i].Event.KeyEvent.bKeyDown = i == 0;
        keys[i].Event.KeyEvent.wRepeatCount = 1;
        keys[i].Event.KeyEvent.wVirtualKeyCode = VK_RETURN;
        keys[i].Event.KeyEvent.uChar.UnicodeChar = L'\r';
    }
    DWORD written = 0;
    const bool pressed = input != INVALID_HANDLE_VALUE &&
                         WriteConsoleInputW(input, keys, 2, &written) && written == 2;
    if (input != INVALID_HANDLE_VALUE) CloseHandle(input);
    FreeConsole();
    return pressed;
}

}  // namespace

TEST(ClosePrompt, ToolAloneOnItsConsoleWaitsForEnter) {
    const struct {
        const char* what;
        std::string tool;
        const char* arguments;
        DWORD exitCode;
    } cases[] = {
        {"the checker's help", toolPath(AUTORUN_MENU_CHECK_TOOL), " --help", 0},
        {"the checker double-clicked (no medium)", toolPath(AUTORUN_MENU_CHECK_TOOL), "", 2},
        {"the brand tool's help", toolPath(AUTORUN_MENU_BRAND_TOOL), " --help", 0},
        {"the brand tool double-clicked (no picture)", toolPath(AUTORUN_MENU_BRAND_TOOL), "", 2},
    };
    // All at once: each must still be running, waiting, once the others have had the time
    // to write everything. Attaching earlier would make the tool see two processes.
    PROCESS_INFORMATION processes[4] = {};
    for (std::size_t i = 0; i < 4; ++i) {
        STARTUPINFOA startup = {};
        startup.cb = sizeof startup;
        std::string commandLine = "\"" + cases[i].tool + "\"" + cases[i].arguments;
        ASSERT_TRUE(CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE,
                                   CREATE_NEW_CONSOLE, nullptr, nullptr, &startup, &processes[i]))
            << cases[i].what;
    }
    Sleep(4000);
    for (std::size_t i = 0; i < 4; ++i) {
        SCOPED_TRACE(cases[i].what);
        const PROCESS_INFORMATION& process = processes[i];
        const bool waiting = WaitForSingleObject(process.hProcess, 0) == WAIT_TIMEOUT;
        EXPECT_TRUE(waiting) << "it ended without waiting";
        if (waiting) {
            const std::string text = consoleText(process.dwProcessId);
            EXPECT_NE(std::string::npos, text.find("Usage: ")) << text;
            const std::string prompt = "\n\nPress Enter to close this window.";
            const std::string shown = text.substr(0, text.find_last_not_of('\n') + 1);
            EXPECT_EQ(prompt, shown.substr(shown.size() - std::min(shown.size(), prompt.size())))
                << "the last lines are not a blank line and the prompt:\n"
                << text;
            EXPECT_TRUE(pressEnter(process.dwProcessId));
        }
        const bool ended = WaitForSingleObject(process.hProcess, 10000) == WAIT_OBJECT_0;
        EXPECT_TRUE(ended) << "it did not end on Enter";
        if (!ended) TerminateProcess(process.hProcess, 99);
        DWORD exitCode = 0xFFFFFFFF;
        GetExitCodeProcess(process.hProcess, &exitCode);
        if (ended) {
            EXPECT_EQ(cases[i].exitCode, exitCode);
        }
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
}
