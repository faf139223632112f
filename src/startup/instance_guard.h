// One copy of the menu at a time.
#pragma once

// The name of the lock, a named mutex that every running copy holds. Without a namespace
// prefix, as every copy of the menu has always named it.
constexpr char kMenuInstanceLockName[] = "TavrinAutoRunMultipleInstanceLock";

// True when another copy holds the single-instance lock: the caller ends at once. False
// otherwise; this copy then holds the lock if it could be had, and runs unguarded if not.
bool anotherInstanceRunning();

// Gives the lock back and closes it, if this copy holds a handle to it.
void releaseInstanceLock();
