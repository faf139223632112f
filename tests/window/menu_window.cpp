#include "menu_window.h"

#include <cstdlib>
#include <cstring>

#include "checker/menu_program.h"
#include "config/colour_table.h"
#include "config/menu_item.h"
#include "resources/resource_ids.h"
#include "state/launcher_state.h"
#include "test_files.h"
#include "window/menu_dialog.h"

namespace {

constexpr DWORD kWaitLimitMs = 5000;

bool isDialogWindow(HWND window) {
    char name[16] = {};
    GetClassNameA(window, name, sizeof name);
    return std::strcmp(name, "#32770") == 0;
}

// The icon drawn at 32 x 32 over white, as 1024 pixels.
std::vector<std::uint32_t> iconPixels(HICON icon) {
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = 32;
    info.bmiHeader.biHeight = -32;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ kept = SelectObject(dc, bitmap);
    RECT all = {0, 0, 32, 32};
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    DrawIconEx(dc, 0, 0, icon, 32, 32, 0, nullptr, DI_NORMAL);
    GdiFlush();
    const auto* first = static_cast<const std::uint32_t*>(bits);
    std::vector<std::uint32_t> pixels(first, first + 32 * 32);
    SelectObject(dc, kept);
    DeleteDC(dc);
    DeleteObject(bitmap);
    return pixels;
}

long long pixelDistance(const std::vector<std::uint32_t>& a, const std::vector<std::uint32_t>& b) {
    long long sum = 0;
    for (std::size_t i = 0; i < a.size(); ++i) {
        for (int shift = 0; shift < 24; shift += 8) {
            sum += std::abs(static_cast<int>((a[i] >> shift) & 0xFF) -
                            static_cast<int>((b[i] >> shift) & 0xFF));
        }
    }
    return sum;
}

// True when the box's icon looks more like the system's error icon than like any of the
// other standard message box icons. Compared by pixels, since the box may load the icon at
// another size than LoadIcon does.
bool showsErrorIcon(HWND box) {
    HICON shown = nullptr;
    for (HWND child = GetWindow(box, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        if ((GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) != SS_ICON) continue;
        char name[16] = {};
        GetClassNameA(child, name, sizeof name);
        if (lstrcmpiA(name, "Static") != 0) continue;
        shown = reinterpret_cast<HICON>(SendMessageA(child, STM_GETICON, 0, 0));
        if (shown != nullptr) break;
    }
    if (shown == nullptr) return false;
    const std::vector<std::uint32_t> pixels = iconPixels(shown);
    LPCSTR closest = nullptr;
    long long best = 0;
    for (LPCSTR standard : {IDI_ERROR, IDI_WARNING, IDI_INFORMATION, IDI_QUESTION}) {
        const long long distance = pixelDistance(pixels, iconPixels(LoadIconA(nullptr, standard)));
        if (closest == nullptr || distance < best) {
            closest = standard;
            best = distance;
        }
    }
    return closest == IDI_ERROR;
}

}  // namespace

COLORREF colourOf(std::int32_t index) { return static_cast<COLORREF>(colourFromIndex(index)); }

RECT entryPlace(int slot) { return RECT{310, 60 + 35 * slot, 590, 92 + 35 * slot}; }

// ---- Canvas ----

Canvas::Canvas() {
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = kWholePicture.right;
    info.bmiHeader.biHeight = -kWholePicture.bottom;  // top-down: row y starts at y * width
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    bitmap_ = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    bits_ = static_cast<std::uint32_t*>(bits);
    dc_ = CreateCompatibleDC(nullptr);
    kept_ = SelectObject(dc_, bitmap_);
}

Canvas::~Canvas() {
    SelectObject(dc_, kept_);
    DeleteDC(dc_);
    DeleteObject(bitmap_);
}

COLORREF Canvas::at(int x, int y) const {
    GdiFlush();
    const std::uint32_t pixel = bits_[y * kWholePicture.right + x];
    return RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
}

int Canvas::countNear(const RECT& area, COLORREF colour, int tolerance) const {
    int count = 0;
    for (int y = area.top; y < area.bottom; ++y) {
        for (int x = area.left; x < area.right; ++x) {
            const COLORREF pixel = at(x, y);
            if (std::abs(GetRValue(pixel) - GetRValue(colour)) <= tolerance &&
                std::abs(GetGValue(pixel) - GetGValue(colour)) <= tolerance &&
                std::abs(GetBValue(pixel) - GetBValue(colour)) <= tolerance) {
                ++count;
            }
        }
    }
    return count;
}

int Canvas::countDifferent(const Canvas& other, const RECT& area) const {
    int count = 0;
    for (int y = area.top; y < area.bottom; ++y) {
        for (int x = area.left; x < area.right; ++x) {
            if (at(x, y) != other.at(x, y)) ++count;
        }
    }
    return count;
}

int Canvas::countOther(const RECT& area, COLORREF colour) const {
    int count = 0;
    for (int y = area.top; y < area.bottom; ++y) {
        for (int x = area.left; x < area.right; ++x) {
            if (at(x, y) != colour) ++count;
        }
    }
    return count;
}

RECT Canvas::changedBounds(const Canvas& other, const RECT& area) const {
    RECT bounds = {-1, -1, -1, -1};
    for (int y = area.top; y < area.bottom; ++y) {
        for (int x = area.left; x < area.right; ++x) {
            if (at(x, y) == other.at(x, y)) continue;
            if (bounds.left == -1 || x < bounds.left) bounds.left = x;
            if (x > bounds.right) bounds.right = x;
            if (bounds.top == -1) bounds.top = y;
            bounds.bottom = y;
        }
    }
    return bounds;
}

void Canvas::fill(const RECT& area, COLORREF colour) {
    HBRUSH brush = CreateSolidBrush(colour);
    FillRect(dc_, &area, brush);
    DeleteObject(brush);
}

void Canvas::drawPicture() {
    // Read as the checker reads a menu program's picture, not as the menu loads it, so the
    // menu's own painting is compared with something else.
    static const Picture picture = [] {
        Picture read;
        std::string reason;
        EXPECT_TRUE(readPictureResource(GetModuleHandleA(nullptr), read, reason)) << reason;
        return read;
    }();
    GdiFlush();
    const std::size_t count = static_cast<std::size_t>(kWholePicture.right) * kWholePicture.bottom;
    for (std::size_t i = 0; i < count && i < picture.pixels.size(); ++i) {
        // Red in the lowest byte to the DIB's blue, green, red in memory order.
        const std::uint32_t colour = picture.pixels[i];
        bits_[i] = (colour & 0xFF) << 16 | (colour & 0xFF00) | (colour >> 16 & 0xFF);
    }
}

void Canvas::copyFromWindow(HWND window) {
    HDC source = GetDC(window);
    BitBlt(dc_, 0, 0, kWholePicture.right, kWholePicture.bottom, source, 0, 0, SRCCOPY);
    ReleaseDC(window, source);
}

// ---- Entries and the fixture ----

MenuItem* entry(const char* caption, const char* command, const char* comment,
                const char* errorText, bool closeAfterLaunch) {
    return new MenuItem(caption, command, "", comment, errorText, closeAfterLaunch);
}

void MenuWindowTest::SetUp() {
    resetLauncherState();
    launcherState.instanceHandle = GetModuleHandleA(nullptr);

    ViewSettings& view = launcherState.view;
    view.FontColor = kNormalColourIndex;
    view.FontActiveColor = kActiveColourIndex;
    view.FontCommentColor = kCommentColourIndex;
    view.BkCommentColor = kCommentBackgroundIndex;

    // As start-up makes them: character height, variable pitch, Swiss family.
    launcherState.textCharset = DEFAULT_CHARSET;
    launcherState.commentFont = CreateFontA(
        -view.FontCommentSize, 0, 0, 0, FW_DONTCARE, 0, 0, 0, launcherState.textCharset,
        OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, 34, view.FontCommentName);
    launcherState.itemFont =
        CreateFontA(-view.FontSize, 0, 0, 0, FW_DONTCARE, 0, 0, 0, launcherState.textCharset,
                    OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, 34, view.FontName);
    ASSERT_NE(nullptr, launcherState.commentFont);
    ASSERT_NE(nullptr, launcherState.itemFont);

    std::strcpy(launcherState.menuTitle, "Window test menu");
    std::strcpy(launcherState.menuPrompt, "Choose an entry to start it.");
    launcherState.menuItems[0] = entry("Install", "", "Installs the program.");
    launcherState.menuItems[1] = entry("Read me", "", "Opens the notes.\\nThey are short.");
    launcherState.menuItems[2] = entry("");
    launcherState.menuItems[3] = entry("Browse", "", "Shows the files on the disc.");
    launcherState.menuItems[4] = entry("Quit", "", "Leaves the menu.");
    launcherState.itemCount = 5;

    // The real pointer stays off the menu, so only the tests' own pointer messages count.
    SetCursorPos(0, 0);
}

void MenuWindowTest::TearDown() {
    for (HWND window : windows_) {
        if (IsWindow(window)) DestroyWindow(window);
    }
    windows_.clear();
    // Whatever the test left queued for its windows goes with them.
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
    DeleteObject(launcherState.itemFont);
    DeleteObject(launcherState.commentFont);
    resetLauncherState();
}

HWND MenuWindowTest::createMenu() {
    HWND window = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_MENU), nullptr,
                                     MenuDialogProc, 0);
    EXPECT_NE(nullptr, window) << "error " << GetLastError();
    if (window != nullptr) windows_.push_back(window);
    return window;
}

HWND MenuWindowTest::showMenu() {
    HWND window = createMenu();
    ShowWindow(window, SW_SHOWNOACTIVATE);
    UpdateWindow(window);
    return window;
}

bool takeCloseRequest(HWND window) {
    MSG message;
    return PeekMessageA(&message, window, WM_CLOSE, WM_CLOSE, PM_REMOVE) != 0;
}

// ---- Modal runs ----

namespace {

struct ModalRun {
    const std::function<void(HWND)>* script = nullptr;
    HWND dialog = nullptr;
    bool scripted = false;
    DWORD start = 0;
};
ModalRun* currentRun = nullptr;

LRESULT CALLBACK findMenuDialog(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_CREATEWND && currentRun != nullptr && currentRun->dialog == nullptr) {
        HWND window = reinterpret_cast<HWND>(wParam);
        const auto* create = reinterpret_cast<const CBT_CREATEWNDA*>(lParam);
        if (create->lpcs->hwndParent == nullptr && isDialogWindow(window)) {
            currentRun->dialog = window;
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

BOOL CALLBACK endShownDialog(HWND window, LPARAM) {
    if (GetWindow(window, GW_OWNER) == nullptr && isDialogWindow(window) &&
        IsWindowVisible(window)) {
        EndDialog(window, kRunTimedOut);
    }
    return TRUE;
}

void CALLBACK stepModalRun(HWND, UINT, UINT_PTR, DWORD) {
    ModalRun& run = *currentRun;
    if (run.dialog == nullptr) {
        // Never seen created: end whatever menu this thread shows, so the run still ends.
        if (GetTickCount() - run.start > kWaitLimitMs) {
            EnumThreadWindows(GetCurrentThreadId(), endShownDialog, 0);
        }
        return;
    }
    if (!run.scripted) {
        run.scripted = true;
        (*run.script)(run.dialog);
    } else if (GetTickCount() - run.start > kWaitLimitMs) {
        EndDialog(run.dialog, kRunTimedOut);
    }
}

}  // namespace

INT_PTR runMenuModally(const std::function<void(HWND)>& script) {
    ModalRun run;
    run.script = &script;
    run.start = GetTickCount();
    currentRun = &run;
    HHOOK hook = SetWindowsHookExA(WH_CBT, findMenuDialog, nullptr, GetCurrentThreadId());
    const UINT_PTR timer = SetTimer(nullptr, 0, USER_TIMER_MINIMUM, stepModalRun);
    const INT_PTR endCode = DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_MENU),
                                            nullptr, MenuDialogProc, 0);
    KillTimer(nullptr, timer);
    UnhookWindowsHookEx(hook);
    currentRun = nullptr;
    return endCode;
}

// ---- Message boxes ----

namespace {
MessageBoxCatcher* activeCatcher = nullptr;
}

MessageBoxCatcher::MessageBoxCatcher() {
    activeCatcher = this;
    hook_ = SetWindowsHookExA(WH_CBT, hook, nullptr, GetCurrentThreadId());
}

MessageBoxCatcher::~MessageBoxCatcher() {
    if (timer_ != 0) KillTimer(nullptr, timer_);
    UnhookWindowsHookEx(hook_);
    activeCatcher = nullptr;
}

std::vector<MessageBoxCatcher::Box> MessageBoxCatcher::withCaption(
    const std::string& caption) const {
    std::vector<Box> found;
    for (const Box& box : boxes_) {
        if (box.caption == caption) found.push_back(box);
    }
    return found;
}

namespace {

MessageBoxCatcher::Box describe(HWND box, bool activated) {
    MessageBoxCatcher::Box seen;
    char text[1024] = {};
    GetWindowTextA(box, text, sizeof text);
    seen.caption = text;
    text[0] = '\0';
    GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
    seen.text = text;
    seen.errorIcon = showsErrorIcon(box);
    MSG message;
    seen.closeRequestWaiting =
        PeekMessageA(&message, GetWindow(box, GW_OWNER), WM_CLOSE, WM_CLOSE, PM_NOREMOVE) != 0;
    seen.activated = activated;
    return seen;
}

}  // namespace

LRESULT CALLBACK MessageBoxCatcher::hook(int code, WPARAM wParam, LPARAM lParam) {
    MessageBoxCatcher* self = activeCatcher;
    HWND window = reinterpret_cast<HWND>(wParam);
    if (self != nullptr && code == HCBT_CREATEWND) {
        const auto* create = reinterpret_cast<const CBT_CREATEWNDA*>(lParam);
        if (create->lpcs->hwndParent != nullptr && isDialogWindow(window)) {
            self->open_.push_back(window);
            // The limit counts from the newest box.
            if (self->timer_ != 0) KillTimer(nullptr, self->timer_);
            self->timer_ = SetTimer(nullptr, 0, kWaitLimitMs, watchdog);
        }
    } else if (self != nullptr && code == HCBT_ACTIVATE) {
        for (auto it = self->open_.begin(); it != self->open_.end(); ++it) {
            if (*it != window) continue;
            self->open_.erase(it);
            self->boxes_.push_back(describe(window, true));
            PostMessageA(window, WM_COMMAND, IDOK, 0);
            if (self->open_.empty() && self->timer_ != 0) {
                KillTimer(nullptr, self->timer_);
                self->timer_ = 0;
            }
            break;
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

void CALLBACK MessageBoxCatcher::watchdog(HWND, UINT, UINT_PTR, DWORD) {
    MessageBoxCatcher* self = activeCatcher;
    if (self == nullptr) return;
    for (HWND box : self->open_) {
        if (!IsWindow(box)) continue;
        self->boxes_.push_back(describe(box, false));
        EndDialog(box, IDOK);
    }
    self->open_.clear();
    KillTimer(nullptr, self->timer_);
    self->timer_ = 0;
}
