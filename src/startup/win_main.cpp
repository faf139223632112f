// The program's entry point: one copy at a time, the menu file read, the fonts made, the
// menu shown until it ends for good, then the lock and the fonts given back. Every path
// returns 0; a step that fails ends the run quietly.
#include <windows.h>

#include "resources/resource_ids.h"
#include "startup/instance_guard.h"
#include "startup/menu_file.h"
#include "startup/menu_file_copy.h"
#include "state/launcher_state.h"
#include "window/menu_dialog.h"
#include "window/menu_fonts.h"
#include "window/system_library.h"

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
    readMenuConfiguration();
    readMenuFileThroughCopy();

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
