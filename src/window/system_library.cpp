#include "window/system_library.h"

#include <objbase.h>

#include <cstring>

HMODULE loadSystemLibrary(const char* name) {
    char path[MAX_PATH];
    const UINT length = GetSystemDirectoryA(path, MAX_PATH);
    if (length == 0 || length + 1 + std::strlen(name) + 1 > MAX_PATH) return nullptr;
    path[length] = '\\';
    std::strcpy(path + length + 1, name);
    return LoadLibraryA(path);
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
