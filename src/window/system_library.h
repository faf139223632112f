// Libraries the menu loads only when it first needs them, from the system folder, and COM
// for the menu's thread, set up once by whichever needs it first.
#pragma once

#include <windows.h>

// The program runs from removable media whose folder anyone may have written to: from now
// on DLLs are looked for only in the system folder, never beside the program or in the
// current folder. Systems without SetDefaultDllDirectories (Windows 7 without its 2011
// loader update) at least lose the current folder, and loadSystemLibrary makes up for the
// rest.
void restrictLibrarySearch();

// Loads `name` from the system folder, never from beside the program or the current
// folder, and so do the libraries it depends on; null when it is not there or the path
// would not fit.
HMODULE loadSystemLibrary(const char* name);

// The function `name` of `library` as a `Function` pointer; null when `library` is null
// or has no such function.
template <typename Function>
Function findFunction(HMODULE library, const char* name) {
    if (library == nullptr) return nullptr;
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(library, name)));
}

// Initialises COM for this thread (single-threaded apartment) on the first call; later
// calls change nothing. True when COM is usable on this thread.
bool initialiseCom();

// Gives COM back when initialiseCom set it up; afterwards COM is not set up again.
void releaseCom();
