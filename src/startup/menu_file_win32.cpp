#include "startup/menu_file.h"

#include <windows.h>

#include "state/launcher_state.h"

bool locateMenuFile() {
    char executablePath[kPathSize];
    const DWORD length = GetModuleFileNameA(nullptr, executablePath, sizeof executablePath);
    // A result of the full buffer size means the path was cut (and, on older systems,
    // left unterminated): a cut path would name the wrong folder, so it counts as none.
    if (length == 0 || length >= sizeof executablePath) {
        launcherState.menuFilePath[0] = '\0';
        return false;
    }

    if (!buildMenuFilePath(executablePath, launcherState.menuFilePath,
                           sizeof launcherState.menuFilePath)) {
        return false;
    }
    computeMediaRoot(launcherState.menuFilePath);
    return fileExists(launcherState.menuFilePath);
}

bool fileExists(const char* path) { return GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES; }
