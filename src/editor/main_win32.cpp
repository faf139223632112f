// The editor's entry point. `autorun-menu-edit.exe [MEDIUM]` opens the window, with the
// medium's folder or autorun.inf loaded (a file dropped onto the program comes this way);
// `--findings MENU-FILE ROOT PROGRAM` is the editor's own checker process, which writes the
// findings for the window to its standard output.
#include <windows.h>
#include <shellapi.h>

#include <string>

#include "editor/editor_window.h"
#include "editor/findings/findings_child.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
    int count = 0;
    LPWSTR* arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    if (arguments != nullptr && count == 5 && std::wstring(arguments[1]) == kFindingsOption) {
        const int code = runFindingsChild(arguments[2], arguments[3], arguments[4]);
        LocalFree(arguments);
        return code;
    }
    std::wstring open;
    if (arguments != nullptr && count > 1) open = arguments[1];
    if (arguments != nullptr) LocalFree(arguments);

    HWND window = openEditorWindow(instance, open, show);
    if (window == nullptr) return 1;
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (editorTakesMessage(window, message)) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}
