// One copy of the menu at a time.
#pragma once

// The name of the lock, a named mutex that every running copy holds, for the menu and for
// the tools that ask whether a menu runs.
#define AUTORUN_MENU_INSTANCE_LOCK_NAME "TavrinAutoRunMultipleInstanceLock"
constexpr char kMenuInstanceLockName[] = AUTORUN_MENU_INSTANCE_LOCK_NAME;

// True when another copy holds the single-instance lock: the caller ends at once. False
// otherwise; this copy then holds the lock if it could be had, and runs unguarded if not.
bool anotherInstanceRunning();

// Gives the lock back and closes it, if this copy holds a handle to it.
void releaseInstanceLock();
