// What any window program pays before its first line runs: USER32 and GDI32 loaded and
// initialised. Returns from WinMain at once.
#include <windows.h>

// Referenced so both DLLs stay in the import table; never called.
extern "C" {
volatile void* keepUser32 = reinterpret_cast<void*>(&GetSystemMetrics);
volatile void* keepGdi32 = reinterpret_cast<void*>(&GetStockObject);
}

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) { return 0; }
