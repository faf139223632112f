#include "publish/tool/cancel.h"

#include <windows.h>

namespace {

volatile LONG cancelRequested = 0;

BOOL WINAPI onConsoleControl(DWORD event) {
    if (event == CTRL_C_EVENT || event == CTRL_BREAK_EVENT) {
        InterlockedExchange(&cancelRequested, 1);
        return TRUE;
    }
    return FALSE;
}

}  // namespace

void catchCancel() { SetConsoleCtrlHandler(onConsoleControl, TRUE); }

bool cancelled() { return InterlockedCompareExchange(&cancelRequested, 0, 0) != 0; }
