#include "startup/instance_guard.h"

#include <windows.h>

#include "state/launcher_state.h"

// Without a namespace prefix, as every copy of the menu has always named it. A static array
// of this file's own, so the program's bytes stay as they were before the tools shared it.
static const char kMutexName[] = AUTORUN_MENU_INSTANCE_LOCK_NAME;

bool anotherInstanceRunning() {
    HANDLE mutex = CreateMutexA(nullptr, FALSE, kMutexName);
    launcherState.instanceMutex = mutex;
    if (mutex == nullptr) return false;
    // Created unowned and taken by a zero-time wait: only a time-out means another copy
    // owns it. An abandoned lock (a copy that was killed) is granted to this one.
    if (WaitForSingleObject(mutex, 0) != WAIT_TIMEOUT) return false;
    CloseHandle(mutex);
    launcherState.instanceMutex = nullptr;
    return true;
}

void releaseInstanceLock() {
    if (launcherState.instanceMutex == nullptr) return;
    ReleaseMutex(launcherState.instanceMutex);
    CloseHandle(launcherState.instanceMutex);
    launcherState.instanceMutex = nullptr;
}
