// The editor's entry point: the file or folder named on the command line opens at once.
#include <windows.h>
#include <shellapi.h>

#include <string>

#include "editor/editor_window.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR commandLine, int show) {
    (void)commandLine;
    int count = 0;
    LPWSTR* arguments = CommandLineToArgvW(GetCommandLineW(), &count);
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
