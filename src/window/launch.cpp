#include <objbase.h>
#include <cstring>

#include "config/menu_item.h"
#include "state/launcher_state.h"
#include "window/menu_dialog.h"

// The shell and COM are loaded from the system folder when the first entry starts, not
// at start-up: a menu that is only looked at never pays for them, and nothing beside the
// program on the medium can stand in for them.
using ShellExecuteFunction = HINSTANCE(WINAPI*)(HWND, LPCSTR, LPCSTR, LPCSTR, LPCSTR, INT);
using CoInitializeExFunction = HRESULT(WINAPI*)(LPVOID, DWORD);
using CoUninitializeFunction = void(WINAPI*)();

static bool shellLoaded = false;
static ShellExecuteFunction shellExecute = nullptr;
static CoUninitializeFunction comUninitialize = nullptr;  // set once COM was initialised

static HMODULE loadSystemLibrary(const char* name) {
    char path[MAX_PATH];
    const UINT length = GetSystemDirectoryA(path, MAX_PATH);
    if (length == 0 || length + 1 + std::strlen(name) + 1 > MAX_PATH) return nullptr;
    path[length] = '\\';
    std::strcpy(path + length + 1, name);
    return LoadLibraryA(path);
}

template <typename Function>
static Function findFunction(HMODULE library, const char* name) {
    if (library == nullptr) return nullptr;
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(library, name)));
}

// Loads the shell once and initialises COM for this thread, as the shell asks of its
// callers (some document handlers need it). A launch goes on without COM when that fails.
static void loadShell() {
    if (shellLoaded) return;
    shellLoaded = true;
    HMODULE ole = loadSystemLibrary("ole32.dll");
    auto comInitialize = findFunction<CoInitializeExFunction>(ole, "CoInitializeEx");
    if (comInitialize != nullptr &&
        SUCCEEDED(comInitialize(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE))) {
        comUninitialize = findFunction<CoUninitializeFunction>(ole, "CoUninitialize");
    }
    shellExecute = findFunction<ShellExecuteFunction>(loadSystemLibrary("shell32.dll"), "ShellExecuteA");
}

void releaseShell() {
    if (comUninitialize != nullptr) comUninitialize();
    comUninitialize = nullptr;
}

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
