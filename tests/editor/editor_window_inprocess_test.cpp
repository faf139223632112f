// The editor's window in this process, driven with real messages: its preview painted into
// memory through its own painting, its message boxes read and answered from a CBT hook, and
// its findings checked by the built editor's own check process.
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "brand/picture/menu_frame.h"
#include "built_program.h"
#include "editor/editor_form.h"
#include "editor/editor_ids.h"
#include "editor/editor_window.h"
#include "editor/publish_dialog.h"
#include "running_program.h"
#include "test_files.h"
#include "window/layout.h"

namespace {

std::wstring wide(const std::string& text) { return std::wstring(text.begin(), text.end()); }

std::wstring textOf(HWND window) {
    wchar_t text[2048] = {};
    GetWindowTextW(window, text, 2048);
    return text;
}

// Handles what is queued as the editor's own loop does.
void pump(HWND window) {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (editorTakesMessage(window, message)) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

// Message boxes as they come: each one's text is kept and the box is answered with the
// next of `answers` (IDCANCEL when none is left).
struct MessageBoxes {
    std::vector<std::wstring> texts;
    std::vector<int> answers;
};
MessageBoxes* boxes = nullptr;
HHOOK hook = nullptr;

LRESULT CALLBACK onWindow(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_ACTIVATE && boxes != nullptr) {
        HWND box = reinterpret_cast<HWND>(wParam);
        wchar_t type[32] = {};
        GetClassNameW(box, type, 32);
        if (std::wstring(type) == L"#32770") {
            boxes->texts.push_back(textOf(GetDlgItem(box, 0xFFFF)));
            int answer = IDCANCEL;
            if (!boxes->answers.empty()) {
                answer = boxes->answers.front();
                boxes->answers.erase(boxes->answers.begin());
            }
            PostMessageW(box, WM_COMMAND, MAKEWPARAM(answer, BN_CLICKED), 0);
        }
    }
    return CallNextHookEx(hook, code, wParam, lParam);
}

// The preview as its own painting draws it, pixel by pixel (0xRRGGBB).
std::vector<std::uint32_t> paintedPreview(HWND preview) {
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = menuWidth;
    info.bmiHeader.biHeight = -menuHeight;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ kept = SelectObject(memory, bitmap);
    SendMessageW(preview, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(memory), PRF_CLIENT);
    GdiFlush();
    const std::uint32_t* pixels = static_cast<const std::uint32_t*>(bits);
    std::vector<std::uint32_t> copy(pixels, pixels + menuWidth * menuHeight);
    SelectObject(memory, kept);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    for (std::uint32_t& pixel : copy) pixel &= 0xFFFFFF;
    return copy;
}

// How many pixels of the rectangle differ between two paintings.
int changedIn(const std::vector<std::uint32_t>& a, const std::vector<std::uint32_t>& b,
              const RECT& area) {
    int changed = 0;
    for (int y = area.top; y < area.bottom; ++y) {
        for (int x = area.left; x < area.right; ++x) {
            if (a[y * menuWidth + x] != b[y * menuWidth + x]) ++changed;
        }
    }
    return changed;
}

class EditorInProcess : public ::testing::Test {
protected:
    void SetUp() override {
        boxes = &boxes_;
        hook = SetWindowsHookExW(WH_CBT, onWindow, nullptr, GetCurrentThreadId());
    }
    void TearDown() override {
        if (window_ != nullptr) {
            // Closing asks about unsaved changes: No lets them go.
            boxes_.answers = {IDNO};
            SendMessageW(window_, WM_CLOSE, 0, 0);
            pump(window_);
        }
        UnhookWindowsHookEx(hook);
        boxes = nullptr;
    }

    // Opens the editor on a medium of `menuFile` and the menu program (or on nothing).
    void open(const std::string& menuFile) {
        std::wstring medium;
        if (!menuFile.empty()) {
            menuFile_ = folder_.write("autorun.inf", menuFile);
            ASSERT_TRUE(copyProgram(builtProgramPath(), folder_.path() + "autorun-menu.exe"));
            medium = wide(folder_.path());
        }
        window_ = openEditorWindow(GetModuleHandleW(nullptr), medium, SW_SHOWNORMAL,
                                   wide(testProgramFolder() + AUTORUN_MENU_EDITOR));
        ASSERT_NE(nullptr, window_);
        pump(window_);
    }

    HWND control(int id) const { return formControl(window_, id); }

    void command(int id) {
        SendMessageW(window_, WM_COMMAND, MAKEWPARAM(id, 0), 0);
        pump(window_);
    }

    void key(HWND to, WPARAM virtualKey) {
        MSG message = {to, WM_KEYDOWN, virtualKey, 1, 0, {}};
        if (!editorTakesMessage(window_, message)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        pump(window_);
    }

    // Waits, handling messages, until the findings list has rows.
    bool findingsListed() {
        HWND list = GetDlgItem(window_, IDC_FINDINGS);
        return waitUntil(
            [&] {
                pump(window_);
                return ListView_GetItemCount(list) > 0;
            },
            kStartTimeoutMs);
    }

    TempFolder folder_;
    std::string menuFile_;
    HWND window_ = nullptr;
    MessageBoxes boxes_;
};

std::string sampleMenuFile() {
    return readWholeFile(testProgramFolder() + AUTORUN_MENU_SAMPLE_FILE);
}

TEST_F(EditorInProcess, WithNoFileOpenTheFieldsTakeNoTypingAndSaveIsGreyed) {
    ASSERT_NO_FATAL_FAILURE(open(""));
    EXPECT_FALSE(IsWindowEnabled(control(IDC_TITLE)));
    EXPECT_FALSE(IsWindowEnabled(control(IDC_CAPTION)));
    EXPECT_FALSE(IsWindowEnabled(control(IDC_FONT_COLOR)));
    HMENU file = GetSubMenu(GetMenu(window_), 0);
    SendMessageW(window_, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(file), 0);
    EXPECT_TRUE(GetMenuState(file, IDM_SAVE, MF_BYCOMMAND) & MF_GRAYED);
    EXPECT_TRUE(GetMenuState(file, IDM_SAVE_AS, MF_BYCOMMAND) & MF_GRAYED);
    EXPECT_FALSE(GetMenuState(file, IDM_OPEN, MF_BYCOMMAND) & MF_GRAYED);
}

TEST_F(EditorInProcess, TypingACaptionEditsItsEntryAndRedrawsThePreview) {
    ASSERT_NO_FATAL_FAILURE(open(sampleMenuFile()));
    EXPECT_TRUE(IsWindowEnabled(control(IDC_TITLE)));
    EXPECT_EQ(L"Read me first", textOf(control(IDC_CAPTION)));
    wchar_t signature[256] = {};
    SendMessageW(GetDlgItem(window_, IDC_STATUS), SB_GETTEXTW, 1,
                 reinterpret_cast<LPARAM>(signature));
    EXPECT_EQ(std::wstring(L"Menu program: not signed"), signature) << "the build's own menu";
    HWND preview = GetDlgItem(window_, IDC_PREVIEW);
    const std::vector<std::uint32_t> before = paintedPreview(preview);

    HWND caption = control(IDC_CAPTION);
    SetFocus(caption);
    SendMessageW(caption, EM_SETSEL, 13, 13);
    SendMessageW(caption, WM_CHAR, L'!', 1);
    pump(window_);

    const std::vector<std::uint32_t> after = paintedPreview(preview);
    const RECT first = itemRect(0);
    const RECT second = itemRect(1);
    EXPECT_GT(changedIn(before, after, first), 0) << "the first caption is drawn anew";
    EXPECT_EQ(0, changedIn(before, after, second)) << "the second is as it was";
    EXPECT_EQ(0u, textOf(window_).rfind(L"*autorun.inf", 0)) << "unsaved, as the title says";
    wchar_t item[128] = {};
    SendMessageW(control(IDC_ENTRY_BOX), CB_GETLBTEXT, 0, reinterpret_cast<LPARAM>(item));
    EXPECT_EQ(std::wstring(L"1: Read me first!"), item);
    EXPECT_EQ(L"Read me first!", textOf(caption)) << "the caret's field is not filled again";
}

// Down lights the entries in turn, its name tells screen readers which, and Enter (which
// the dialog manager would otherwise take) chooses the lit entry's fields.
TEST_F(EditorInProcess, ThePreviewLightsWithArrowsAndEnterChoosesTheEntry) {
    ASSERT_NO_FATAL_FAILURE(open(sampleMenuFile()));
    HWND preview = GetDlgItem(window_, IDC_PREVIEW);
    SetFocus(preview);
    key(preview, VK_DOWN);
    key(preview, VK_DOWN);
    EXPECT_EQ(0u, textOf(preview).rfind(L"Lit: 2. Browse this disc.", 0)) << textOf(preview);
    key(preview, VK_RETURN);
    EXPECT_EQ(1, SendMessageW(control(IDC_ENTRY_BOX), CB_GETCURSEL, 0, 0));
    EXPECT_EQ(L"Browse this disc", textOf(control(IDC_CAPTION)));
    EXPECT_EQ(control(IDC_CAPTION), GetFocus());
}

// A finding about a colour shows its whole text and leads to the colour on the Look page.
TEST_F(EditorInProcess, AColourFindingLeadsToTheLookPage) {
    ASSERT_NO_FATAL_FAILURE(open(
        "[View]\r\nFontColor=40\r\n[0]\r\nTitle=Disc\r\n1=Read|autorun.inf||A comment.|No.|\r\n"));
    SendMessageW(GetDlgItem(window_, IDC_SHOW_INFOS), BM_SETCHECK, BST_UNCHECKED, 0);
    ASSERT_TRUE(findingsListed());
    HWND list = GetDlgItem(window_, IDC_FINDINGS);
    int row = -1;
    for (int i = 0; i < ListView_GetItemCount(list) && row < 0; ++i) {
        wchar_t place[256] = {};
        ListView_GetItemText(list, i, 0, place, 256);
        if (std::wstring(place) == L"[View] FontColor") row = i;
    }
    ASSERT_GE(row, 0) << "no finding about [View] FontColor";
    ListView_SetItemState(list, row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    pump(window_);
    EXPECT_TRUE(IsWindowVisible(GetDlgItem(window_, IDC_LOOK_PAGE)));
    EXPECT_FALSE(IsWindowVisible(GetDlgItem(window_, IDC_TEXTS_PAGE)));
    EXPECT_EQ(control(IDC_FONT_COLOR), GetFocus());
    EXPECT_NE(std::wstring::npos, textOf(GetDlgItem(window_, IDC_FINDING_TEXT)).find(L"40"));
}

TEST_F(EditorInProcess, RemovingALanguageAsksAndUndoBringsItBack) {
    ASSERT_NO_FATAL_FAILURE(open(sampleMenuFile()));
    HWND languages = GetDlgItem(window_, IDC_LANGUAGE_BOX);
    const LRESULT count = SendMessageW(languages, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        wchar_t item[256] = {};
        SendMessageW(languages, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(item));
        if (std::wstring(item).find(L"[1], in the file") == std::wstring::npos) continue;
        SendMessageW(languages, CB_SETCURSEL, i, 0);
        SendMessageW(window_, WM_COMMAND, MAKEWPARAM(IDC_LANGUAGE_BOX, CBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(languages));
    }
    pump(window_);
    EXPECT_EQ(L"\x041F\x0440\x0438\x043C\x0435\x0440 \x0434\x0438\x0441\x043A\x0430",
              textOf(control(IDC_TITLE)));

    boxes_.answers = {IDNO};
    SendMessageW(window_, WM_COMMAND, MAKEWPARAM(IDC_REMOVE_LANGUAGE, BN_CLICKED), 0);
    pump(window_);
    ASSERT_EQ(1u, boxes_.texts.size());
    EXPECT_NE(std::wstring::npos, boxes_.texts[0].find(L"Remove section [1]"));
    EXPECT_EQ(0u, textOf(window_).rfind(L"autorun.inf", 0)) << "No removes nothing";

    boxes_.answers = {IDYES};
    SendMessageW(window_, WM_COMMAND, MAKEWPARAM(IDC_REMOVE_LANGUAGE, BN_CLICKED), 0);
    pump(window_);
    EXPECT_EQ(L"Sample Disc", textOf(control(IDC_TITLE))) << "its systems show [0] now";
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(window_, IDC_REMOVE_LANGUAGE)));
    command(IDM_UNDO);
    EXPECT_EQ(L"\x041F\x0440\x0438\x043C\x0435\x0440 \x0434\x0438\x0441\x043A\x0430",
              textOf(control(IDC_TITLE)));
    EXPECT_EQ(0u, textOf(window_).rfind(L"autorun.inf", 0)) << "as saved again";
}

// The file became UTF-8 on disk and the author declines converting it on reload: the
// edits stay, still unsaved, and closing asks about them.
TEST_F(EditorInProcess, AReloadThatFailsKeepsTheEditsUnsaved) {
    ASSERT_NO_FATAL_FAILURE(open(sampleMenuFile()));
    SetWindowTextW(control(IDC_TITLE), L"Edited");
    pump(window_);
    writeWholeFile(menuFile_, "\xEF\xBB\xBF[0]\r\nTitle=Now UTF-8 \xC3\xA9\r\n");
    boxes_.answers = {IDYES, IDNO};  // reload and lose the edits; then do not convert
    command(IDM_RELOAD);
    ASSERT_EQ(2u, boxes_.texts.size());
    EXPECT_NE(std::wstring::npos, boxes_.texts[1].find(L"Convert it to UTF-16"));
    EXPECT_EQ(L"Edited", textOf(control(IDC_TITLE)));
    EXPECT_EQ(0u, textOf(window_).rfind(L"*", 0)) << "still unsaved";

    boxes_.texts.clear();
    boxes_.answers = {IDCANCEL};
    SendMessageW(window_, WM_CLOSE, 0, 0);
    pump(window_);
    ASSERT_EQ(1u, boxes_.texts.size());
    EXPECT_NE(std::wstring::npos, boxes_.texts[0].find(L"Save the changes"));
    EXPECT_TRUE(IsWindow(window_));
}

// Opening another file fills every field anew, which must not edit the file just opened.
TEST_F(EditorInProcess, AnotherFileOpensUnchanged) {
    ASSERT_NO_FATAL_FAILURE(open(sampleMenuFile()));
    TempFolder other;
    const std::string plain = "[0]\r\nTitle=Plain\r\n1=Exit|||||1\r\n";
    const std::string file = other.write("autorun.inf", plain);
    ASSERT_TRUE(openInEditor(wide(file)));
    pump(window_);
    EXPECT_EQ(L"Plain", textOf(control(IDC_TITLE)));
    EXPECT_EQ(L"", textOf(control(IDC_AUTORUN_LABEL)));
    EXPECT_EQ(0u, textOf(window_).rfind(L"autorun.inf", 0)) << "no unsaved change";
    command(IDM_SAVE);
    EXPECT_EQ(plain, readWholeFile(file));
}

// Publish writes the image behind its progress dialog and says what it wrote.
TEST_F(EditorInProcess, PublishWritesTheMediumAsADiscImage) {
    ASSERT_NO_FATAL_FAILURE(open(sampleMenuFile()));
    TempFolder out;
    const std::string image = out.path() + "medium.iso";
    boxes_.answers = {IDOK, IDNO};  // the result; no burning
    std::string medium = folder_.path();
    medium.pop_back();
    publishTo(window_, wide(medium), wide(image), true, L"The checker finds 0 errors.");
    ASSERT_FALSE(boxes_.texts.empty());
    EXPECT_EQ(0u, boxes_.texts.back().rfind(L"Wrote ", 0)) << boxes_.texts.back().c_str();
    const std::string bytes = readWholeFile(image);
    ASSERT_GT(bytes.size(), 17u * 2048);
    EXPECT_EQ("CD001", bytes.substr(16 * 2048 + 1, 5)) << "the primary volume descriptor";
}

// The findings and the selected one's text stay on screen at the smallest size, and take
// the room a larger window gives.
TEST_F(EditorInProcess, TheFormFollowsTheWindowsSize) {
    ASSERT_NO_FATAL_FAILURE(open(sampleMenuFile()));
    MINMAXINFO limits = {};
    SendMessageW(window_, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&limits));
    const auto listHeightAt = [&](int width, int height) {
        SetWindowPos(window_, nullptr, 0, 0, width, height, SWP_NOZORDER | SWP_NOMOVE);
        pump(window_);
        RECT client, list, text;
        GetClientRect(window_, &client);
        GetWindowRect(GetDlgItem(window_, IDC_FINDINGS), &list);
        GetWindowRect(GetDlgItem(window_, IDC_FINDING_TEXT), &text);
        MapWindowPoints(nullptr, window_, reinterpret_cast<POINT*>(&text), 2);
        EXPECT_LE(text.bottom, client.bottom) << "at " << width << " x " << height;
        return list.bottom - list.top;
    };
    const int smallest = listHeightAt(limits.ptMinTrackSize.x, limits.ptMinTrackSize.y);
    EXPECT_GE(smallest, 60);
    // Taller by a little (the test's screen is 768 pixels high): the list takes all of it.
    EXPECT_EQ(listHeightAt(limits.ptMinTrackSize.x + 40, limits.ptMinTrackSize.y + 40),
              smallest + 40);
}

}  // namespace
