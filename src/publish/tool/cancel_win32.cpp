#include "publish/tool/cancel.h"

#include <windows.h>

namespace {

volatile LONG cancelRequested = 0;
volatile LONG64 written = 0;

BOOL WINAPI onConsoleControl(DWORD event) {
    if (event == CTRL_C_EVENT || event == CTRL_BREAK_EVENT) {
        InterlockedExchange(&cancelRequested, 1);
        return TRUE;
    }
    return FALSE;
}

}  // namespace

void catchCancel() { SetConsoleCtrlHandler(onConsoleControl, TRUE); }

void startPublishRun() {
    InterlockedExchange(&cancelRequested, 0);
    InterlockedExchange64(&written, 0);
}

void requestCancel() { InterlockedExchange(&cancelRequested, 1); }

bool cancelled() { return InterlockedCompareExchange(&cancelRequested, 0, 0) != 0; }

void addWrittenBytes(std::uint64_t bytes) {
    InterlockedExchangeAdd64(&written, static_cast<LONG64>(bytes));
}

std::uint64_t writtenBytes() {
    return static_cast<std::uint64_t>(InterlockedCompareExchange64(&written, 0, 0));
}
