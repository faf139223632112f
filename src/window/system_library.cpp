#include "window/system_library.h"

#include <objbase.h>

#include <cstring>

// True once the process looks for DLLs in the system folder alone.
static bool searchRestricted = false;

void restrictLibrarySearch() {
    using SetDefaultDllDirectoriesFunction = BOOL(WINAPI*)(DWORD);
    auto setDefaultDllDirectories = findFunction<SetDefaultDllDirectoriesFunction>(
        GetModuleHandleA("kernel32.dll"), "SetDefaultDllDirectories");
    if (setDefaultDllDirectories != nullptr &&
        setDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32)) {
        searchRestricted = true;
        return;
    }
    SetDllDirectoryA("");
}

HMODULE loadSystemLibrary(const char* name) {
    char path[MAX_PATH];
    const UINT length = GetSystemDirectoryA(path, MAX_PATH);
    if (length == 0 || length + 1 + std::strlen(name) + 1 > MAX_PATH) return nullptr;
    path[length] = '\\';
    std::strcpy(path + length + 1, name);
    // Without the restricted search, a library loaded by full path would still look for
    // its own dependencies beside the program first; the altered search order looks for
    // them beside the library, in the system folder.
    return LoadLibraryExA(path, nullptr, searchRestricted ? 0 : LOAD_WITH_ALTERED_SEARCH_PATH);
}

using CoInitializeExFunction = HRESULT(WINAPI*)(LPVOID, DWORD);
using CoUninitializeFunction = void(WINAPI*)();

static bool comTried = false;
static bool comReady = false;
static CoUninitializeFunction comUninitialize = nullptr;  // set once COM was initialised

bool initialiseCom() {
    if (comTried) return comReady;
    comTried = true;
    HMODULE ole = loadSystemLibrary("ole32.dll");
    auto comInitialize = findFunction<CoInitializeExFunction>(ole, "CoInitializeEx");
    if (comInitialize != nullptr &&
        SUCCEEDED(comInitialize(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE))) {
        comUninitialize = findFunction<CoUninitializeFunction>(ole, "CoUninitialize");
        comReady = true;
    }
    return comReady;
}

void releaseCom() {
    if (comUninitialize != nullptr) comUninitialize();
    comUninitialize = nullptr;
    comReady = false;
}
