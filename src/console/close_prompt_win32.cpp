#include "console/close_prompt.h"

#include <windows.h>

#include <cstdio>

#include "console/console_text.h"

void keepConsoleOpenUntilEnter() {
    HANDLE input = GetStdHandle(STD_INPUT_HANDLE);
    HANDLE output = GetStdHandle(STD_OUTPUT_HANDLE);
    DWORD mode = 0;
    const bool inputIsConsole = GetConsoleMode(input, &mode) != 0;
    const bool outputIsConsole = GetConsoleMode(output, &mode) != 0;
    // With a buffer too small for the list, the count is still returned.
    DWORD processes[2];
    const DWORD count = GetConsoleProcessList(processes, 2);
    if (!waitsForEnterAtEnd(count, inputIsConsole, outputIsConsole)) return;

    // What the C library holds back comes first.
    std::fflush(stdout);
    std::fflush(stderr);
    writeConsoleLine(ConsoleStream::output, L"");
    writeConsoleLine(ConsoleStream::output, L"Press Enter to close this window.");
    // The console reads a whole line at a time; a line longer than the buffer comes in parts.
    wchar_t typed[64];
    DWORD read = 0;
    while (ReadConsoleW(input, typed, 64, &read, nullptr) && read > 0) {
        for (DWORD i = 0; i < read; ++i)
            if (typed[i] == L'\r' || typed[i] == L'\n') return;
    }
}
