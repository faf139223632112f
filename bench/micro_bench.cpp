// In-process figures: the whole configuration read of a full menu file, and pointer
// movement over the menu window (a move within one entry, and a move to another entry).
#include <cstdlib>

#include "bench_common.h"
#include "config/language.h"
#include "config/menu_items.h"
#include "config/view_settings.h"
#include "resources/resource_ids.h"
#include "startup/menu_file.h"
#include "state/launcher_state.h"
#include "window/menu_dialog.h"

namespace {

// Everything start-up reads, from locating the file to the fifth entry.
void readConfiguration() {
    launcherState.menuTitle[0] = '\0';
    locateMenuFile();
    readViewSettings();
    loadLanguageSection();
    loadMenuItems();
}

double secondsPerCall(int count, void (*call)(int)) {
    const double begin = nowSeconds();
    for (int i = 0; i < count; ++i) call(i);
    return (nowSeconds() - begin) / count;
}

HWND menuWindow;

}  // namespace

int main() {
    // The menu file beside this program, where locating looks for it.
    const std::string menuFile = programFolder() + "autorun.inf";
    if (!writeFile(menuFile, fullMenuFile())) return 1;

    std::vector<double> reads;
    for (int round = 0; round < 9; ++round) {
        reads.push_back(secondsPerCall(200, [](int) { readConfiguration(); }));
    }
    std::printf(
        "Configuration read of a full menu file (microseconds per read, 9 rounds of 200)\n");
    printFigures("locate + view + language + entries", reads, 1e6, "us");

    launcherState.instanceHandle = GetModuleHandleA(nullptr);
    launcherState.commentFont = CreateFontA(-13, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0, 34, "Arial");
    launcherState.itemFont = CreateFontA(-16, 0, 0, 0, 600, 0, 0, 0, 1, 0, 0, 0, 34, "Arial");
    menuWindow = CreateDialogParamA(launcherState.instanceHandle, MAKEINTRESOURCEA(IDD_MENU),
                                    nullptr, MenuDialogProc, 0);
    if (menuWindow == nullptr) return 1;
    ShowWindow(menuWindow, SW_SHOW);
    UpdateWindow(menuWindow);

    std::vector<double> same, change;
    for (int round = 0; round < 9; ++round) {
        // Within entry 0: one hit test, nothing drawn.
        same.push_back(secondsPerCall(200000, [](int i) {
            MenuDialogProc(menuWindow, WM_MOUSEMOVE, 0, MAKELPARAM(400 + (i & 7), 70));
        }));
        // Between entries 0 and 1: two entries and the comment box drawn each time.
        change.push_back(secondsPerCall(2000, [](int i) {
            MenuDialogProc(menuWindow, WM_MOUSEMOVE, 0, MAKELPARAM(400, (i & 1) ? 105 : 70));
        }));
    }
    std::printf("Pointer movement (nanoseconds per WM_MOUSEMOVE, 9 rounds)\n");
    printFigures("within the same entry", same, 1e9, "ns");
    printFigures("to another entry", change, 1e9, "ns");

    DestroyWindow(menuWindow);
    DeleteFileA(menuFile.c_str());
    return 0;
}
