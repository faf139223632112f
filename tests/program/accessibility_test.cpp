// The menu as a screen reader meets it: a client in this process (another process than the
// menu's) reads the menu's accessible objects through the platform, watches its focus
// events and drives it with real keys, on a medium as in the end-to-end tests.
#include <gtest/gtest.h>
#include <windows.h>
// Modules of another process and the accessibility client calls, after <windows.h>.
#include <oleacc.h>
#include <tlhelp32.h>

#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "built_program.h"
#include "medium_drive.h"
#include "real_input.h"
#include "running_program.h"

namespace {

std::string narrow(BSTR text) {
    std::string result;
    for (UINT i = 0; text != nullptr && i < SysStringLen(text); ++i)
        result += static_cast<char>(text[i]);
    SysFreeString(text);
    return result;
}

VARIANT child(LONG id) {
    VARIANT v;
    v.vt = VT_I4;
    v.lVal = id;
    return v;
}

bool moduleLoaded(DWORD process, const char* name) {
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, process);
    if (snapshot == INVALID_HANDLE_VALUE) return false;
    MODULEENTRY32 module;
    module.dwSize = sizeof module;
    bool found = false;
    for (BOOL more = Module32First(snapshot, &module); more && !found;
         more = Module32Next(snapshot, &module)) {
        found = lstrcmpiA(module.szModule, name) == 0;
    }
    CloseHandle(snapshot);
    return found;
}

// Entry 3 is empty: the client must not see it.
const char kMenuEntries[] =
    "1=Record|tools\\record-args.exe|first|Records how\\nit was started.||\r\n"
    "2=Close|tools\\record-args.exe|closing|Starts, then closes the menu.||1\r\n"
    "3=|tools\\record-args.exe|hidden|||\r\n"
    "4=Plain|||Does nothing.||\r\n";

RECT placeOnScreen(HWND window, int slot) {
    RECT place =
        slot == -1 ? RECT{300, 270, 599, 396} : RECT{310, 60 + 35 * slot, 590, 92 + 35 * slot};
    MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&place), 2);
    return place;
}

// Focus events of the menu's entries, as an out-of-context hook receives them.
std::vector<LONG> focusedChildren;
HWND focusWindow = nullptr;
void CALLBACK focusEvent(HWINEVENTHOOK, DWORD, HWND window, LONG object, LONG id, DWORD, DWORD) {
    if (object == OBJID_CLIENT && id != CHILDID_SELF) {
        focusWindow = window;
        focusedChildren.push_back(id);
    }
}

class ScreenReader : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_FALSE(menuLockHeld()) << "a menu from elsewhere is running";
        ASSERT_NE("", drive_.root()) << "no drive letter could be mapped";
        ASSERT_EQ(S_OK, CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
        drive_.makeFolder("setup");
        drive_.makeFolder("tools");
        ASSERT_TRUE(copyProgram(builtProgramPath(), drive_.root() + "setup\\start.exe"));
        ASSERT_TRUE(copyProgram(siblingProgramPath(RECORD_ARGS_PROGRAM),
                                drive_.root() + "tools\\record-args.exe"));
        drive_.write("setup\\autorun.inf",
                     "[0]\r\nTitle=" + title_ + "\r\nPrompt=Pick an entry.\r\n" + kMenuEntries);
    }

    void startMenu() {
        menuProgram_ = std::make_unique<RunningProgram>(drive_.root() + "setup\\start.exe");
        ASSERT_TRUE(menuProgram_->started());
        menu_ = waitForMenuWindow(*menuProgram_, title_);
        ASSERT_NE(nullptr, menu_) << "the menu did not appear";
    }
    // Makes the menu take the keys: a click on the picture, where no entry is.
    void bringMenuToFront() {
        ASSERT_TRUE(clickAt(menu_, 150, 200));
        ASSERT_TRUE(waitUntil([&] { return GetForegroundWindow() == menu_; }, kEndTimeoutMs));
    }

    void TearDown() override {
        menuProgram_.reset();
        CoUninitialize();
    }

    // True once the helper recorded a start with the single argument `arg`.
    bool started(const std::string& arg) const {
        return waitUntil(
            [&] {
                return readWholeFile(drive_.root() + "tools\\marker.txt")
                           .find("arg=" + arg + "\n") != std::string::npos;
            },
            kEndTimeoutMs);
    }

    void expectEndsWithZero() {
        const auto code = menuProgram_->waitForExit(kEndTimeoutMs);
        ASSERT_TRUE(code.has_value()) << "the program is still running";
        EXPECT_EQ(0u, *code);
    }

    const std::string title_ = "Screen reader test " + std::to_string(GetCurrentProcessId());
    MediumDrive drive_;
    std::unique_ptr<RunningProgram> menuProgram_;
    HWND menu_ = nullptr;
};

TEST_F(ScreenReader, ReadsEveryPlaceAndStartsEntries) {
    ASSERT_NO_FATAL_FAILURE(startMenu());
    EXPECT_FALSE(moduleLoaded(menuProgram_->id(), "oleacc.dll"))
        << "loaded before any client asked";
    IAccessible* client = nullptr;
    ASSERT_EQ(S_OK, AccessibleObjectFromWindow(menu_, OBJID_CLIENT, __uuidof(IAccessible),
                                               reinterpret_cast<void**>(&client)));
    EXPECT_TRUE(moduleLoaded(menuProgram_->id(), "oleacc.dll")) << "the check sees nothing";
    BSTR text = nullptr;
    client->get_accName(child(CHILDID_SELF), &text);
    EXPECT_EQ(title_, narrow(text));

    LONG count = 0;
    ASSERT_EQ(S_OK, client->get_accChildCount(&count));
    ASSERT_EQ(4, count);
    VARIANT children[4];
    LONG got = 0;
    ASSERT_EQ(S_OK, AccessibleChildren(client, 0, 4, children, &got));
    ASSERT_EQ(4, got);

    const struct {
        const char* name;
        const char* description;
        LONG role;
        const char* shortcut;
        const char* action;
        int slot;  // -1: the comment box
    } places[] = {
        {"Record", "Records how it was started.", ROLE_SYSTEM_PUSHBUTTON, "1", "Open", 0},
        {"Close", "Starts, then closes the menu.", ROLE_SYSTEM_PUSHBUTTON, "2", "Open", 1},
        {"Plain", "Does nothing.", ROLE_SYSTEM_PUSHBUTTON, "4", "Open", 3},
        {"Pick an entry.", "", ROLE_SYSTEM_STATICTEXT, "", "", -1},
    };
    for (LONG id = 1; id <= 4; ++id) {
        const auto& place = places[id - 1];
        SCOPED_TRACE(place.name);
        ASSERT_EQ(VT_I4, children[id - 1].vt);
        EXPECT_EQ(id, children[id - 1].lVal);
        client->get_accName(child(id), &text);
        EXPECT_EQ(place.name, narrow(text));
        client->get_accDescription(child(id), &text);
        EXPECT_EQ(place.description, narrow(text));
        client->get_accKeyboardShortcut(child(id), &text);
        EXPECT_EQ(place.shortcut, narrow(text));
        client->get_accDefaultAction(child(id), &text);
        EXPECT_EQ(place.action, narrow(text));
        VARIANT role = {}, state = {}, hit = {};
        client->get_accRole(child(id), &role);
        EXPECT_EQ(place.role, role.lVal);
        client->get_accState(child(id), &state);
        EXPECT_EQ(0, state.lVal & (STATE_SYSTEM_HOTTRACKED | STATE_SYSTEM_FOCUSED));
        LONG left = 0, top = 0, width = 0, height = 0;
        client->accLocation(&left, &top, &width, &height, child(id));
        const RECT expected = placeOnScreen(menu_, place.slot);
        EXPECT_EQ(expected.left, left);
        EXPECT_EQ(expected.top, top);
        EXPECT_EQ(expected.right - expected.left, width);
        EXPECT_EQ(expected.bottom - expected.top, height);
        // Hit testing agrees: the middle of the place is the place.
        client->accHitTest(left + width / 2, top + height / 2, &hit);
        EXPECT_EQ(id, hit.lVal);
    }
    // The empty place is bare picture, outside the window is nothing, and so are child ids
    // that name nothing.
    VARIANT hit = {};
    const RECT empty = placeOnScreen(menu_, 2);
    client->accHitTest((empty.left + empty.right) / 2, (empty.top + empty.bottom) / 2, &hit);
    EXPECT_EQ(CHILDID_SELF, hit.lVal);
    EXPECT_EQ(S_FALSE, client->accHitTest(empty.left - 400, empty.top - 300, &hit));
    VARIANT notAnId;
    notAnId.vt = VT_BSTR;
    notAnId.bstrVal = nullptr;
    for (const VARIANT& wrong : {child(5), child(-1), notAnId}) {
        EXPECT_EQ(E_INVALIDARG, client->get_accName(wrong, &text));
    }

    // The pointer lights entry 2: it is hot and has the focus.
    ASSERT_TRUE(movePointerTo(menu_, 450, 111));
    VARIANT state = {}, focus = {};
    ASSERT_TRUE(waitUntil(
        [&] {
            return client->get_accState(child(2), &state) == S_OK &&
                   (state.lVal & STATE_SYSTEM_HOTTRACKED) != 0;
        },
        kEndTimeoutMs));
    EXPECT_NE(0, state.lVal & STATE_SYSTEM_FOCUSED);
    client->get_accFocus(&focus);
    EXPECT_EQ(2, focus.lVal);

    // The default action starts the entry as a click does, the close flag included.
    EXPECT_EQ(S_OK, client->accDoDefaultAction(child(1)));
    EXPECT_TRUE(started("first"));
    EXPECT_EQ(S_OK, client->accDoDefaultAction(child(2)));
    EXPECT_TRUE(started("closing"));
    expectEndsWithZero();
    client->Release();
}

void pumpMessages() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
}

bool shiftTab() {
    INPUT shift = {};
    shift.type = INPUT_KEYBOARD;
    shift.ki.wVk = VK_SHIFT;
    if (SendInput(1, &shift, sizeof shift) != 1) return false;
    const bool pressed = pressKey(VK_TAB);
    shift.ki.dwFlags = KEYEVENTF_KEYUP;
    return SendInput(1, &shift, sizeof shift) == 1 && pressed;
}

TEST_F(ScreenReader, FocusFollowsThePointerAndTheKeys) {
    ASSERT_NO_FATAL_FAILURE(startMenu());
    HWINEVENTHOOK hook = SetWinEventHook(EVENT_OBJECT_FOCUS, EVENT_OBJECT_FOCUS, nullptr,
                                         focusEvent, menuProgram_->id(), 0, WINEVENT_OUTOFCONTEXT);
    ASSERT_NE(nullptr, hook);
    focusedChildren.clear();
    ASSERT_NO_FATAL_FAILURE(bringMenuToFront());

    // Each step lights one entry; the screen reader reads its caption and comment.
    const struct {
        const char* step;
        bool (*act)();
        const char* name;
    } steps[] = {
        {"pointer on Plain", [] { return movePointerTo(GetForegroundWindow(), 450, 181); },
         "Plain"},
        {"Down wraps", [] { return pressKey(VK_DOWN); }, "Record"},
        {"Down", [] { return pressKey(VK_DOWN); }, "Close"},
        {"Down skips the empty place", [] { return pressKey(VK_DOWN); }, "Plain"},
        {"Up", [] { return pressKey(VK_UP); }, "Close"},
        {"Tab", [] { return pressKey(VK_TAB); }, "Plain"},
        {"Tab wraps", [] { return pressKey(VK_TAB); }, "Record"},
        {"Shift+Tab wraps", shiftTab, "Plain"},
        {"Up", [] { return pressKey(VK_UP); }, "Close"},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.step);
        const std::size_t before = focusedChildren.size();
        ASSERT_TRUE(step.act());
        ASSERT_TRUE(waitUntil(
            [&] {
                pumpMessages();
                return focusedChildren.size() > before;
            },
            kEndTimeoutMs));
        IAccessible* object = nullptr;
        VARIANT id = {};
        ASSERT_EQ(S_OK, AccessibleObjectFromEvent(focusWindow, OBJID_CLIENT, focusedChildren.back(),
                                                  &object, &id));
        BSTR text = nullptr;
        object->get_accName(id, &text);
        EXPECT_EQ(step.name, narrow(text));
        object->Release();
    }
    Sleep(200);
    pumpMessages();
    EXPECT_EQ(std::size(steps), focusedChildren.size()) << "one event a step";
    UnhookWinEvent(hook);

    // A digit still starts its own entry, whatever is lit; Space starts the lit one.
    ASSERT_TRUE(pressKey('1'));
    EXPECT_TRUE(started("first"));
    ASSERT_TRUE(pressKey(VK_SPACE));
    EXPECT_TRUE(started("closing"));
    expectEndsWithZero();
}

// Enter and Esc end the menu as before, also with an entry lit from the keyboard.
TEST_F(ScreenReader, EnterAndEscStillEndTheMenu) {
    for (WORD key : {WORD{VK_RETURN}, WORD{VK_ESCAPE}}) {
        SCOPED_TRACE(key);
        ASSERT_NO_FATAL_FAILURE(startMenu());
        ASSERT_NO_FATAL_FAILURE(bringMenuToFront());
        ASSERT_TRUE(pressKey(VK_DOWN));
        ASSERT_TRUE(pressKey(key));
        expectEndsWithZero();
        EXPECT_EQ("", readWholeFile(drive_.root() + "tools\\marker.txt"));
    }
}

}  // namespace
