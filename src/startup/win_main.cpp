// The program's entry point: one copy at a time, the menu file read, the fonts made, the
// menu shown until it ends for good, then the lock and the fonts given back. Every path
// returns 0; a step that fails ends the run quietly.
#include <windows.h>

#include "config/language.h"
#include "config/menu_items.h"
#include "config/view_settings.h"
#include "resources/resource_ids.h"
#include "startup/instance_guard.h"
#include "startup/menu_file.h"
#include "state/launcher_state.h"
#include "window/menu_dialog.h"
#include "window/menu_fonts.h"

static void deleteFonts() {
    DeleteObject(launcherState.itemFont);
    DeleteObject(launcherState.commentFont);
    launcherState.itemFont = nullptr;
    launcherState.commentFont = nullptr;
}

// The catch-all handler of start-up. The program is built without C++ exceptions (nothing
// in it throws: allocation failures come back as null), so what can go wrong while
// start-up runs is a fault the platform raises, an access violation for one. Any such
// exception that nothing else handles reaches this filter, which ends the run as quietly
// as a failed start-up step: fonts deleted, exit code 0, no message.
static LONG WINAPI startupFaultFilter(EXCEPTION_POINTERS*) {
    deleteFonts();
    TerminateProcess(GetCurrentProcess(), 0);
    return EXCEPTION_EXECUTE_HANDLER;
}

// Everything before the menu shows. False when the run is to end.
static bool startUp() {
    if (anotherInstanceRunning()) return false;
    if (!locateMenuFile()) return false;
    readViewSettings();
    loadLanguageSection();
    loadMenuItems();

    launcherState.commentFont = createCommentFont();
    if (launcherState.commentFont == nullptr) return false;
    launcherState.itemFont = createItemFont();
    if (launcherState.itemFont == nullptr) {
        deleteFonts();
        return false;
    }
    return true;
}

// Start-up under the catch-all handler; the handler is gone again before the menu shows.
static bool guardedStartUp() {
    LPTOP_LEVEL_EXCEPTION_FILTER previous = SetUnhandledExceptionFilter(startupFaultFilter);
    const bool ready = startUp();
    SetUnhandledExceptionFilter(previous);
    return ready;
}

// The program runs from removable media whose folder anyone may have written to: DLLs
// are looked for only in the system folder, never beside the program or in the current
// folder. Systems without SetDefaultDllDirectories at least lose the current folder.
static void restrictLibrarySearch() {
    using SetDefaultDllDirectoriesFunction = BOOL(WINAPI*)(DWORD);
    auto setDefaultDllDirectories = reinterpret_cast<SetDefaultDllDirectoriesFunction>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "SetDefaultDllDirectories")));
    if (setDefaultDllDirectories != nullptr && setDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32)) {
        return;
    }
    SetDllDirectoryA("");
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    launcherState.instanceHandle = instance;
    restrictLibrarySearch();
    if (!guardedStartUp()) return 0;

    INT_PTR endCode;
    do {
        endCode = DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_MENU), nullptr, MenuDialogProc, 0);
    } while (endCode == kReshowEndCode);

    releaseInstanceLock();
    deleteFonts();
    releaseShell();
    return 0;
}
