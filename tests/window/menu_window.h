// The menu window in this test process: the real template, picture and icon group
// linked into the test program, MenuDialogProc driving them, and what the tests need to look
// at the result: memory canvases to paint into and read back, a modal run of the menu driven
// from inside its own loop, and a catcher for message boxes.
#pragma once

#include <windows.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class MenuItem;

// Colours the fixture gives the menu, chosen to be far apart from each other and from the
// light right half of the picture, so a pixel near one of them can only come from it.
constexpr std::int32_t kNormalColourIndex = 5;        // blue, entry captions
constexpr std::int32_t kActiveColourIndex = 10;       // red, the entry under the pointer
constexpr std::int32_t kCommentColourIndex = 7;       // purple, comment box text
constexpr std::int32_t kCommentBackgroundIndex = 14;  // cyan, comment box fill

COLORREF colourOf(std::int32_t index);

// Where the entries and the comment box lie on the picture, written out as numbers.
RECT entryPlace(int slot);
constexpr RECT kCommentBox = {300, 270, 599, 396};
constexpr RECT kCommentText = {310, 280, 589, 386};
constexpr RECT kWholePicture = {0, 0, 600, 397};

// A 600 x 397 top-down 32-bit DIB section with its own memory device context.
class Canvas {
public:
    Canvas();
    ~Canvas();
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    HDC dc() const { return dc_; }
    COLORREF at(int x, int y) const;
    // Pixels of `area` whose red, green and blue each lie within `tolerance` of `colour`.
    int countNear(const RECT& area, COLORREF colour, int tolerance = 48) const;
    // Pixels of `area` that differ from the same pixel of `other`.
    int countDifferent(const Canvas& other, const RECT& area) const;
    // Pixels of `area` that differ from `colour`.
    int countOther(const RECT& area, COLORREF colour) const;
    // The leftmost, rightmost, topmost and bottommost pixel of `area` that differs from
    // `other`, as an inclusive rectangle; all -1 when none differs.
    RECT changedBounds(const Canvas& other, const RECT& area) const;

    void fill(const RECT& area, COLORREF colour);
    // The background picture, read from this program's resources, over the whole canvas.
    void drawPicture();
    // The client area of a shown window, read back through its device context.
    void copyFromWindow(HWND window);

private:
    HDC dc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ kept_ = nullptr;
    std::uint32_t* bits_ = nullptr;
};

// A menu entry as the menu file would give it, never released, like the program's own.
MenuItem* entry(const char* caption, const char* command = "", const char* comment = "",
                const char* errorText = "", bool closeAfterLaunch = false);

// True when a close request for `window` waits in the queue; takes it out.
bool takeCloseRequest(HWND window);

// Every test starts from the state at process start, then the menu as start-up would leave
// it: this program as the instance, the view defaults with the colours above, both fonts
// made as start-up makes them, a title, a prompt and five entries (slot 2 empty) whose
// commands are empty, so nothing starts unless a test says so.
class MenuWindowTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // The menu window made from its template by MenuDialogProc, not shown, destroyed after
    // the test.
    HWND createMenu();
    // The same, shown without activation and painted once.
    HWND showMenu();

    static LPARAM at(int x, int y) { return MAKELPARAM(x, y); }

private:
    std::vector<HWND> windows_;
};

// The end code DialogBoxParamA gives back when a modal run had to be ended by the test.
constexpr INT_PTR kRunTimedOut = 0x7E57;

// Shows the menu the way the program does, DialogBoxParamA with MenuDialogProc, and hands
// its window once to `script` from inside the modal loop (on a thread timer, so after
// set-up). A run that has not ended 5 s later is ended with kRunTimedOut. Returns the end
// code.
INT_PTR runMenuModally(const std::function<void(HWND)>& script);

// Catches every message box owned by another window that opens while it lives: when the
// box is activated, records what it shows and closes it with OK. A box that is never
// activated is closed after 5 s and recorded as such.
class MessageBoxCatcher {
public:
    struct Box {
        std::string caption;
        std::string text;
        bool errorIcon = false;            // its icon looks most like the error icon
        bool closeRequestWaiting = false;  // a close request for its owner was already queued
        bool activated = false;
    };

    MessageBoxCatcher();
    ~MessageBoxCatcher();
    MessageBoxCatcher(const MessageBoxCatcher&) = delete;
    MessageBoxCatcher& operator=(const MessageBoxCatcher&) = delete;

    // The boxes whose caption is `caption`: the shell may show boxes of its own.
    std::vector<Box> withCaption(const std::string& caption) const;

private:
    static LRESULT CALLBACK hook(int code, WPARAM wParam, LPARAM lParam);
    static void CALLBACK watchdog(HWND, UINT, UINT_PTR, DWORD);

    HHOOK hook_ = nullptr;
    UINT_PTR timer_ = 0;
    std::vector<HWND> open_;
    std::vector<Box> boxes_;
};
