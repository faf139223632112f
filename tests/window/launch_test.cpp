// Starting entries: by digit key, by a press of the left button, and what a refusal by the
// shell and the close flag lead to.
#include <windows.h>
#include <gtest/gtest.h>

#include <string>

#include "config/menu_item.h"
#include "menu_window.h"
#include "state/launcher_state.h"
#include "test_files.h"
#include "window/menu_dialog.h"

namespace {

using Launching = MenuWindowTest;

// Which slot `message` starts, -1 for none. Each slot in turn is the only one that asks to
// close the menu: its close request shows that it was started. Commands stay empty.
int slotStartedBy(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    int started = -1;
    for (int slot = 0; slot < 5; ++slot) {
        MenuItem* item = launcherState.menuItems[slot];
        item->closeAfterLaunch = 1;
        MenuDialogProc(window, message, wParam, lParam);
        item->closeAfterLaunch = 0;
        if (takeCloseRequest(window)) {
            EXPECT_EQ(-1, started) << "more than one slot started";
            started = slot;
        }
    }
    return started;
}

TEST_F(Launching, DigitKeysStartTheEntryOfTheirSlot) {
    struct Case {
        int showNumbers;
        WPARAM key;
        int slot;
    } const cases[] = {
        // Slot 2 holds the empty entry: not drawn, but its digit still starts it.
        {1, '1', 0},  {1, '3', 2},        {1, '5', 4},         {1, '6', -1},
        {1, '9', -1}, {1, '0', -1},       {1, VK_NUMPAD1, -1}, {1, VK_NUMPAD3, -1},
        {1, 'A', -1}, {1, VK_RETURN, -1}, {0, '1', -1},        {0, '3', -1},
    };
    HWND window = createMenu();
    ASSERT_NE(nullptr, window);
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "key " << c.key << ", numbers " << c.showNumbers);
        launcherState.view.ShowNumbers = c.showNumbers;
        EXPECT_EQ(c.slot, slotStartedBy(window, WM_KEYUP, c.key, 0));
    }
    // Released with Alt held, a digit arrives as a system key and starts nothing.
    launcherState.view.ShowNumbers = 1;
    EXPECT_EQ(-1, slotStartedBy(window, WM_SYSKEYUP, '1', 0));
}

TEST_F(Launching, PressStartsTheEntryUnderThePointer) {
    struct Case {
        const char* name;
        UINT message;
        int x, y;
        int slot;
    } const cases[] = {
        {"inside the first entry", WM_LBUTTONDOWN, 311, 61, 0},
        {"inside the second entry", WM_LBUTTONDOWN, 589, 126, 1},
        {"right of a short caption", WM_LBUTTONDOWN, 580, 180, 3},
        {"left border", WM_LBUTTONDOWN, 310, 70, -1},
        {"right border", WM_LBUTTONDOWN, 590, 70, -1},
        {"top border", WM_LBUTTONDOWN, 400, 60, -1},
        {"strip between entries", WM_LBUTTONDOWN, 400, 93, -1},
        {"empty entry", WM_LBUTTONDOWN, 400, 145, -1},
        {"comment box", WM_LBUTTONDOWN, 450, 330, -1},
        {"left of the client area", WM_LBUTTONDOWN, 0xFFFF, 70, -1},
        {"button released", WM_LBUTTONUP, 400, 70, -1},
        {"double click", WM_LBUTTONDBLCLK, 400, 70, -1},
        {"right button", WM_RBUTTONDOWN, 400, 70, -1},
    };
    HWND window = createMenu();
    ASSERT_NE(nullptr, window);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.slot, slotStartedBy(window, c.message, MK_LBUTTON, at(c.x, c.y)));
        EXPECT_EQ(-1, launcherState.hoverIndex);  // a press changes no lighting
    }
}

TEST_F(Launching, RefusalShowsTheErrorTextThenTheMenuMayClose) {
    TempFolder folder;
    const std::string missing = folder.path() + "missing.exe";
    struct Case {
        const char* name;
        std::string command;
        const char* errorText;
        bool closeAfterLaunch;
        const char* shown;  // the text of the box, null for none
    } const cases[] = {
        {"error text", missing, "Could not start the installer.", false,
         "Could not start the installer."},
        {"two lines", missing, "First line.\\nSecond line.", false, "First line.\nSecond line."},
        {"no error text", missing, "", false, nullptr},
        {"error text, then close", missing, "Could not start.", true, "Could not start."},
        {"no error text, close", missing, "", true, nullptr},
        {"no command", "", "Never shown.", true, nullptr},
    };
    HWND window = createMenu();
    ASSERT_NE(nullptr, window);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        launcherState.menuItems[1] =
            entry("Read me", c.command.c_str(), "", c.errorText, c.closeAfterLaunch);
        std::vector<MessageBoxCatcher::Box> boxes;
        {
            MessageBoxCatcher catcher;
            launchMenuItem(1, window);
            boxes = catcher.withCaption("Window test menu");
        }
        EXPECT_EQ(c.shown == nullptr ? 0u : 1u, boxes.size());
        if (c.shown != nullptr && boxes.size() == 1) {
            EXPECT_EQ(c.shown, boxes[0].text);
            EXPECT_TRUE(boxes[0].errorIcon);
            EXPECT_TRUE(boxes[0].activated);
            EXPECT_FALSE(boxes[0].closeRequestWaiting);  // posted only after the box closed
        }
        EXPECT_EQ(c.closeAfterLaunch, takeCloseRequest(window));
    }
}

TEST_F(Launching, DigitOfAnEntryWithoutCaptionThroughTheMenuLoop) {
    TempFolder folder;
    launcherState.menuItems[2] =
        entry("", (folder.path() + "missing.exe").c_str(), "", "Slot three failed.", true);
    MessageBoxCatcher catcher;
    const INT_PTR endCode =
        runMenuModally([](HWND menu) { PostMessageA(menu, WM_KEYUP, '3', 0xC0000001); });
    EXPECT_EQ(IDCANCEL, endCode);  // the entry's close request
    const std::vector<MessageBoxCatcher::Box> boxes = catcher.withCaption("Window test menu");
    ASSERT_EQ(1u, boxes.size());
    EXPECT_EQ("Slot three failed.", boxes[0].text);
    EXPECT_FALSE(boxes[0].closeRequestWaiting);
}

}  // namespace
