// The menu run modally, as the program runs it, and the end code each way of ending gives.
#include <windows.h>
#include <gtest/gtest.h>

#include <vector>

#include "menu_window.h"
#include "state/launcher_state.h"
#include "window/menu_dialog.h"

namespace {

using EndCodes = MenuWindowTest;

TEST_F(EndCodes, EachWayOfEndingGivesItsCode) {
    struct Posted {
        UINT message;
        WPARAM wParam;
    };
    struct Case {
        const char* name;
        std::vector<Posted> posted;
        INT_PTR endCode;
    } const cases[] = {
        {"OK", {{WM_COMMAND, IDOK}}, IDOK},
        {"cancel", {{WM_COMMAND, IDCANCEL}}, IDCANCEL},
        {"show again", {{WM_COMMAND, 1002}}, 1002},
        {"close request", {{WM_CLOSE, 0}}, IDCANCEL},
        {"Enter", {{WM_KEYDOWN, VK_RETURN}}, IDOK},
        {"Esc", {{WM_KEYDOWN, VK_ESCAPE}}, IDCANCEL},
        // A command with a notification code ends nothing: the command after it does.
        {"accelerator", {{WM_COMMAND, MAKEWPARAM(IDOK, 1)}, {WM_COMMAND, IDCANCEL}}, IDCANCEL},
        {"notification", {{WM_COMMAND, MAKEWPARAM(1002, 0x300)}, {WM_COMMAND, IDOK}}, IDOK},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const INT_PTR endCode = runMenuModally([&](HWND menu) {
            for (const Posted& p : c.posted) PostMessageA(menu, p.message, p.wParam, 0);
        });
        EXPECT_EQ(c.endCode, endCode);
    }
}

TEST_F(EndCodes, ShownAgainAsBeforeAfter1002) {
    launcherState.hoverIndex = 3;

    EXPECT_EQ(1002, runMenuModally([](HWND menu) { PostMessageA(menu, WM_COMMAND, 1002, 0); }));

    RECT client = {};
    char caption[300] = {};
    int hoverAtSetUp = 0;
    int hoverAfterMove = 0;
    int markerLeft = 0;
    const COLORREF marker = RGB(1, 2, 3);
    const INT_PTR endCode = runMenuModally([&](HWND menu) {
        GetClientRect(menu, &client);
        GetWindowTextA(menu, caption, sizeof caption);
        hoverAtSetUp = launcherState.hoverIndex;

        // The pointer arriving on the entry it was last seen on draws nothing.
        if (!IsWindowVisible(menu)) ShowWindow(menu, SW_SHOWNA);
        UpdateWindow(menu);
        HDC dc = GetDC(menu);
        HBRUSH brush = CreateSolidBrush(marker);
        FillRect(dc, &kCommentBox, brush);
        DeleteObject(brush);
        ReleaseDC(menu, dc);
        SendMessageA(menu, WM_MOUSEMOVE, 0, MAKELPARAM(400, 180));
        hoverAfterMove = launcherState.hoverIndex;
        Canvas shown;
        shown.copyFromWindow(menu);
        markerLeft = shown.countOther(kCommentBox, marker);

        PostMessageA(menu, WM_COMMAND, IDCANCEL, 0);
    });
    EXPECT_EQ(IDCANCEL, endCode);
    EXPECT_EQ(600, client.right);
    EXPECT_EQ(397, client.bottom);
    EXPECT_STREQ("Window test menu", caption);
    EXPECT_EQ(3, hoverAtSetUp);
    EXPECT_EQ(3, hoverAfterMove);
    EXPECT_EQ(0, markerLeft);
    EXPECT_EQ(3, launcherState.hoverIndex);
}

}  // namespace
