// The editor's check process for the tests and the benchmark: `--findings MENU ROOT PROGRAM`
// runs the real check (runFindingsChild). AUTORUN_MENU_FINDINGS_TEST_CHILD makes it
// misbehave instead, once told to go on as the check is: "hang..." runs on, holding the event
// "autorun-menu-findings-test-" and that mode; "garbage" writes what is no result; "fail"
// ends with code 3; "early" ends with code 4 before it is told.
#include <windows.h>
#include <shellapi.h>

#include <cwchar>
#include <string>

#include "editor/findings/findings_child.h"

namespace {

void waitForGo() {
    char go = 0;
    DWORD got = 0;
    ReadFile(GetStdHandle(STD_INPUT_HANDLE), &go, 1, &got, nullptr);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    wchar_t mode[64] = {};
    if (GetEnvironmentVariableW(L"AUTORUN_MENU_FINDINGS_TEST_CHILD", mode, 64) >= 64) mode[0] = 0;
    if (std::wcscmp(mode, L"early") == 0) return 4;
    if (mode[0] != L'\0') waitForGo();
    if (std::wcsncmp(mode, L"hang", 4) == 0) {
        // Exists while this process runs: the tests see it start and go.
        const std::wstring name = std::wstring(L"autorun-menu-findings-test-") + mode;
        CreateEventW(nullptr, TRUE, FALSE, name.c_str());
        Sleep(60000);
        return 0;
    }
    if (std::wcscmp(mode, L"garbage") == 0) {
        DWORD written = 0;
        WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), "no findings", 11, &written, nullptr);
        return 0;
    }
    if (std::wcscmp(mode, L"fail") == 0) return 3;

    int count = 0;
    LPWSTR* arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    int code = 2;
    if (arguments != nullptr && count == 5 && std::wcscmp(arguments[1], kFindingsOption) == 0)
        code = runFindingsChild(arguments[2], arguments[3], arguments[4]);
    if (arguments != nullptr) LocalFree(arguments);
    return code;
}
