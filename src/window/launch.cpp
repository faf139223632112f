#include "config/menu_item.h"
#include "state/launcher_state.h"
#include "window/menu_dialog.h"
#include "window/system_library.h"

// The shell is loaded from the system folder when the first entry starts, not at
// start-up: a menu that is only looked at never pays for it, and nothing beside the
// program on the medium can stand in for it.
using ShellExecuteFunction = HINSTANCE(WINAPI*)(HWND, LPCSTR, LPCSTR, LPCSTR, LPCSTR, INT);

static bool shellLoaded = false;
static ShellExecuteFunction shellExecute = nullptr;

// Loads the shell once and initialises COM for this thread, as the shell asks of its
// callers (some document handlers need it). A launch goes on without COM when that fails.
static void loadShell() {
    if (shellLoaded) return;
    shellLoaded = true;
    initialiseCom();
    shellExecute =
        findFunction<ShellExecuteFunction>(loadSystemLibrary("shell32.dll"), "ShellExecuteA");
}

void releaseShell() { releaseCom(); }

void launchMenuItem(int index, HWND window) {
    const MenuItem* item = launcherState.menuItems[index];
    if (item->command[0] != '\0') {
        loadShell();
        // Without the shell the command cannot start: that is a refusal like any other.
        ULONG_PTR result = 0;
        DWORD error = ERROR_FILE_NOT_FOUND;
        if (shellExecute != nullptr) {
            SetLastError(ERROR_SUCCESS);
            result = reinterpret_cast<ULONG_PTR>(
                shellExecute(window, "open", item->command, item->parameters, nullptr, SW_SHOW));
            error = GetLastError();
        }
        // A user who declined an elevation prompt has seen no failure.
        const bool refused = result <= 32 && error != ERROR_CANCELLED;
        if (refused && item->errorText[0] != '\0') {
            MessageBoxA(window, item->errorText, launcherState.menuTitle, MB_ICONERROR);
        }
    }
    if (item->closeAfterLaunch == 1) PostMessageA(window, WM_CLOSE, 0, 0);
}
