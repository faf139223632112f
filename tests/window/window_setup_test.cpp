// What the window is after set-up: its size, caption, icons and place on the screen.
#include <windows.h>
#include <gtest/gtest.h>

#include "menu_window.h"
#include "resources/resource_ids.h"
#include "state/launcher_state.h"
#include "window/menu_dialog.h"

namespace {

using WindowSetUp = MenuWindowTest;

TEST_F(WindowSetUp, ClientAreaIsThePictureAndCaptionTheTitle) {
    HWND window = createMenu();
    ASSERT_NE(nullptr, window);

    RECT client;
    GetClientRect(window, &client);
    EXPECT_EQ(600, client.right - client.left);
    EXPECT_EQ(397, client.bottom - client.top);

    char caption[300] = {};
    GetWindowTextA(window, caption, sizeof caption);
    EXPECT_STREQ("Window test menu", caption);

    // The icon group at 32 and 16 pixels, set as the window's big and small icon.
    struct IconCase {
        WPARAM kind;
        HICON stored;
        LONG size;
    } const icons[] = {{ICON_BIG, launcherState.bigIcon, 32},
                       {ICON_SMALL, launcherState.smallIcon, 16}};
    for (const IconCase& icon : icons) {
        SCOPED_TRACE(icon.size);
        ASSERT_NE(nullptr, icon.stored);
        EXPECT_EQ(reinterpret_cast<LRESULT>(icon.stored),
                  SendMessageA(window, WM_GETICON, icon.kind, 0));
        ICONINFO info = {};
        ASSERT_TRUE(GetIconInfo(icon.stored, &info));
        BITMAP colour = {};
        GetObjectA(info.hbmColor, sizeof colour, &colour);
        EXPECT_EQ(icon.size, colour.bmWidth);
        EXPECT_EQ(icon.size, colour.bmHeight);
        DeleteObject(info.hbmColor);
        DeleteObject(info.hbmMask);
    }
}

TEST_F(WindowSetUp, WholeWindowIsCentredOnTheScreen) {
    HWND window = createMenu();
    ASSERT_NE(nullptr, window);
    RECT outer;
    GetWindowRect(window, &outer);
    // Frame and caption included, on the full screen (not the work area); an odd spare
    // pixel goes to the right and to the bottom.
    const int spareLeft = outer.left;
    const int spareRight = GetSystemMetrics(SM_CXSCREEN) - outer.right;
    const int spareTop = outer.top;
    const int spareBottom = GetSystemMetrics(SM_CYSCREEN) - outer.bottom;
    EXPECT_TRUE(spareRight == spareLeft || spareRight == spareLeft + 1)
        << spareLeft << " left, " << spareRight << " right";
    EXPECT_TRUE(spareBottom == spareTop || spareBottom == spareTop + 1)
        << spareTop << " above, " << spareBottom << " below";
}

TEST_F(WindowSetUp, CentringDividesTowardZero) {
    const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
    const int screenHeight = GetSystemMetrics(SM_CYSCREEN);
    struct Case {
        int width, height;
        int x, y;
    } const cases[] = {
        {screenWidth + 21, screenHeight + 21, -10, -10},  // -21 / 2 is -10, not -11
        {screenWidth - 101, screenHeight - 101, 50, 50},  // 101 / 2 is 50
        {screenWidth, screenHeight, 0, 0},
        {screenWidth + 2, 1, -1, (screenHeight - 1) / 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.width << " x " << c.height);
        // A bare popup: no frame, and a popup without a sizing border may be any size.
        HWND window = CreateWindowExA(0, "STATIC", "", WS_POPUP, 3, 4, c.width, c.height, nullptr,
                                      nullptr, nullptr, nullptr);
        ASSERT_NE(nullptr, window);
        centreOnScreen(window);
        RECT outer;
        GetWindowRect(window, &outer);
        EXPECT_EQ(c.x, outer.left);
        EXPECT_EQ(c.y, outer.top);
        EXPECT_EQ(c.width, outer.right - outer.left);
        EXPECT_EQ(c.height, outer.bottom - outer.top);
        DestroyWindow(window);
    }
}

TEST_F(WindowSetUp, WithoutThePictureTheTemplateStaysAsItIs) {
    // The template still comes from this program; the picture is looked for in a module
    // that has none.
    launcherState.instanceHandle = GetModuleHandleA("kernel32.dll");
    // An icon at hand, so a window that wrongly got it would show it.
    launcherState.bigIcon = static_cast<HICON>(
        LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_MENU), IMAGE_ICON, 32, 32, 0));
    ASSERT_NE(nullptr, launcherState.bigIcon);
    HWND window = createMenu();
    ASSERT_NE(nullptr, window);
    EXPECT_EQ(nullptr, launcherState.backgroundBitmap);

    RECT templateSize = {0, 0, 377, 208};
    MapDialogRect(window, &templateSize);
    RECT client;
    GetClientRect(window, &client);
    EXPECT_EQ(templateSize.right, client.right);
    EXPECT_EQ(templateSize.bottom, client.bottom);

    char caption[300] = "unchanged";
    GetWindowTextA(window, caption, sizeof caption);
    EXPECT_STREQ("", caption);
    EXPECT_EQ(0, SendMessageA(window, WM_GETICON, ICON_BIG, 0));

    // Painting draws nothing at all: a canvas holding a marker colour keeps it.
    Canvas canvas;
    canvas.fill(kWholePicture, RGB(1, 2, 3));
    paintMenu(window, canvas.dc());
    EXPECT_EQ(0, canvas.countOther(kWholePicture, RGB(1, 2, 3)));
}

}  // namespace
