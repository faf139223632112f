// Following the pointer on a shown menu: the entry under it lit, its comment in the box,
// drawn straight into the window and only when the entry under the pointer changes.
#include <windows.h>
#include <gtest/gtest.h>

#include "menu_window.h"
#include "state/launcher_state.h"
#include "window/menu_dialog.h"

namespace {

class Hover : public MenuWindowTest {
protected:
    void SetUp() override {
        MenuWindowTest::SetUp();
        menu = showMenu();
        ASSERT_NE(nullptr, menu);
        for (int index = -1; index < 5; ++index) {
            Canvas& box = boxShowing[index + 1];
            box.drawPicture();
            if (index != 2) drawCommentBox(box.dc(), index);
        }
    }

    void moveTo(int x, int y) { EXPECT_EQ(0, MenuDialogProc(menu, WM_MOUSEMOVE, 0, at(x, y))); }

    // Which comment the window's box shows: the entry's index, -1 for the prompt, -2 for
    // anything else.
    int boxShows(const Canvas& shown) const {
        for (int index = -1; index < 5; ++index) {
            if (index == 2) continue;  // the empty entry
            if (shown.countDifferent(boxShowing[index + 1], kCommentBox) == 0) return index;
        }
        return -2;
    }

    static int lit(const Canvas& shown, int slot) {
        return shown.countNear(entryPlace(slot), colourOf(kActiveColourIndex));
    }
    static int plain(const Canvas& shown, int slot) {
        return shown.countNear(entryPlace(slot), colourOf(kNormalColourIndex));
    }

    void paintMarker(const RECT& area) {
        HDC dc = GetDC(menu);
        HBRUSH brush = CreateSolidBrush(kMarker);
        FillRect(dc, &area, brush);
        DeleteObject(brush);
        ReleaseDC(menu, dc);
    }

    static constexpr COLORREF kMarker = RGB(1, 2, 3);
    HWND menu = nullptr;
    Canvas boxShowing[6];  // the picture with the box for the prompt and entries 0 to 4
};

TEST_F(Hover, EntryUnderThePointerIsLitWithItsComment) {
    Canvas shown;
    shown.copyFromWindow(menu);
    EXPECT_EQ(-1, boxShows(shown));
    EXPECT_EQ(0, lit(shown, 0));
    EXPECT_GT(plain(shown, 0), 0);

    moveTo(400, 70);
    EXPECT_EQ(0, launcherState.hoverIndex);
    shown.copyFromWindow(menu);
    EXPECT_GT(lit(shown, 0), 0);
    EXPECT_EQ(0, plain(shown, 0));
    EXPECT_EQ(0, lit(shown, 1));
    EXPECT_EQ(0, boxShows(shown));

    // Straight to the next entry: the first back to normal, the second lit.
    moveTo(400, 110);
    EXPECT_EQ(1, launcherState.hoverIndex);
    shown.copyFromWindow(menu);
    EXPECT_EQ(0, lit(shown, 0));
    EXPECT_GT(plain(shown, 0), 0);
    EXPECT_GT(lit(shown, 1), 0);
    EXPECT_EQ(0, plain(shown, 1));
    EXPECT_EQ(1, boxShows(shown));

    // Onto the strip between two entries: no entry, the prompt.
    moveTo(400, 128);
    EXPECT_EQ(-1, launcherState.hoverIndex);
    shown.copyFromWindow(menu);
    EXPECT_EQ(0, lit(shown, 1));
    EXPECT_GT(plain(shown, 1), 0);
    EXPECT_EQ(-1, boxShows(shown));

    // The empty entry's place is bare picture.
    moveTo(400, 140);
    EXPECT_EQ(-1, launcherState.hoverIndex);
}

TEST_F(Hover, RowsBetweenTheFirstTwoEntriesBelongToNone) {
    for (int y = 92; y <= 95; ++y) {
        SCOPED_TRACE(y);
        moveTo(400, 70);
        ASSERT_EQ(0, launcherState.hoverIndex);
        moveTo(400, y);
        EXPECT_EQ(-1, launcherState.hoverIndex);
        Canvas shown;
        shown.copyFromWindow(menu);
        EXPECT_EQ(0, lit(shown, 0));
        EXPECT_EQ(-1, boxShows(shown));
    }
}

TEST_F(Hover, StayingOnTheSameEntryOrOnNoneDrawsNothing) {
    const RECT firstEntry = entryPlace(0);
    moveTo(400, 70);
    paintMarker(kCommentBox);
    paintMarker(firstEntry);
    moveTo(580, 90);  // elsewhere within the same entry
    EXPECT_EQ(0, launcherState.hoverIndex);
    Canvas shown;
    shown.copyFromWindow(menu);
    EXPECT_EQ(0, shown.countOther(kCommentBox, kMarker));
    EXPECT_EQ(0, shown.countOther(firstEntry, kMarker));

    moveTo(10, 10);
    EXPECT_EQ(-1, launcherState.hoverIndex);
    paintMarker(kCommentBox);
    moveTo(450, 330);  // the comment box is no entry either
    moveTo(400, 93);
    shown.copyFromWindow(menu);
    EXPECT_EQ(0, shown.countOther(kCommentBox, kMarker));
}

TEST_F(Hover, RepaintShowsEveryEntryPlainAndKeepsTheHoveredIndex) {
    Canvas painted;
    paintMenu(menu, painted.dc());

    moveTo(400, 70);
    InvalidateRect(menu, nullptr, FALSE);
    UpdateWindow(menu);  // WM_PAINT through MenuDialogProc
    EXPECT_EQ(0, launcherState.hoverIndex);
    Canvas shown;
    shown.copyFromWindow(menu);
    EXPECT_EQ(0, shown.countDifferent(painted, kWholePicture));

    // The entry lights up again only after the pointer was elsewhere.
    moveTo(450, 80);
    shown.copyFromWindow(menu);
    EXPECT_EQ(0, lit(shown, 0));
    moveTo(10, 10);
    moveTo(450, 80);
    shown.copyFromWindow(menu);
    EXPECT_GT(lit(shown, 0), 0);
    EXPECT_EQ(0, boxShows(shown));
}

}  // namespace
