// The menu as a screen reader meets it: a client in another process than the menu's reads
// its accessible objects through the platform, follows its focus events and drives it with
// real input, on a medium as in the end-to-end tests.
#include <windows.h>
#include <gtest/gtest.h>
// The accessibility client calls and the module list, after <windows.h>.
#include <oleacc.h>
#include <tlhelp32.h>

#include <memory>
#include <string>
#include <vector>

#include "built_program.h"
#include "medium_drive.h"
#include "real_input.h"
#include "running_program.h"
#include "test_files.h"

namespace {

VARIANT child(LONG id) {
    VARIANT v = {};
    v.vt = VT_I4;
    v.lVal = id;
    return v;
}

using TextProperty = HRESULT (STDMETHODCALLTYPE IAccessible::*)(VARIANT, BSTR*);

std::string read(IAccessible* object, TextProperty property, VARIANT id) {
    BSTR text = nullptr;
    (object->*property)(id, &text);
    std::string result;
    for (UINT i = 0; text != nullptr && i < SysStringLen(text); ++i) result += char(text[i]);
    SysFreeString(text);
    return result;
}

bool moduleLoaded(DWORD process, const char* name) {
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, process);
    MODULEENTRY32 module = {};
    module.dwSize = sizeof module;
    bool found = false;
    for (BOOL more = Module32First(snapshot, &module); more && !found;
         more = Module32Next(snapshot, &module)) {
        found = lstrcmpiA(module.szModule, name) == 0;
    }
    CloseHandle(snapshot);
    return found;
}

// Slot `slot`'s place, or the comment box for -1, in screen pixels.
RECT placeOnScreen(HWND window, int slot) {
    RECT place =
        slot == -1 ? RECT{300, 270, 599, 396} : RECT{310, 60 + 35 * slot, 590, 92 + 35 * slot};
    MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&place), 2);
    return place;
}

// The entry children of every focus event of the menu, as an out-of-context hook gets them.
std::vector<LONG> focusedChildren;
HWND focusWindow = nullptr;
void CALLBACK focusEvent(HWINEVENTHOOK, DWORD, HWND window, LONG object, LONG id, DWORD, DWORD) {
    if (object != OBJID_CLIENT || id == CHILDID_SELF) return;
    focusWindow = window;
    focusedChildren.push_back(id);
}

class ScreenReader : public ::testing::Test {
protected:
    // The menu on a medium; place 3 is empty and must not be seen.
    void SetUp() override {
        ASSERT_FALSE(menuLockHeld()) << "a menu from elsewhere is running";
        ASSERT_NE("", drive_.root()) << "no drive letter could be mapped";
        ASSERT_EQ(S_OK, CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
        drive_.makeFolder("setup");
        drive_.makeFolder("tools");
        ASSERT_TRUE(copyProgram(builtProgramPath(), drive_.root() + "setup\\start.exe"));
        ASSERT_TRUE(copyProgram(siblingProgramPath(RECORD_ARGS_PROGRAM),
                                drive_.root() + "tools\\record-args.exe"));
        drive_.write(
            "setup\\autorun.inf",
            "[0]\r\nTitle=" + title_ +
                "\r\nPrompt=Pick an entry.\r\n"
                "1=Record|tools\\record-args.exe|first|Records how\\nit was started.||\r\n"
                "2=Close|tools\\record-args.exe|closing|Starts, then closes the menu.||1\r\n"
                "3=|tools\\record-args.exe|hidden|||\r\n"
                "4=Fourth|tools\\record-args.exe|fourth|||\r\n");
        SetCursorPos(0, 0);  // off the menu: nothing is lit when it shows
        menuProgram_ = std::make_unique<RunningProgram>(drive_.root() + "setup\\start.exe");
        ASSERT_TRUE(menuProgram_->started());
        menu_ = waitForMenuWindow(*menuProgram_, title_);
        ASSERT_NE(nullptr, menu_) << "the menu did not appear";
    }
    void TearDown() override {
        menuProgram_.reset();
        CoUninitialize();
    }

    // True once the helper recorded a start with the single argument `arg`.
    bool started(const std::string& arg) const {
        return waitUntil([&] { return records().find("arg=" + arg + "\n") != std::string::npos; },
                         kEndTimeoutMs);
    }
    std::string records() const { return readWholeFile(drive_.root() + "tools\\marker.txt"); }

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
    EXPECT_FALSE(moduleLoaded(menuProgram_->id(), "oleacc.dll")) << "loaded before a client asked";
    IAccessible* client = nullptr;
    ASSERT_EQ(S_OK, AccessibleObjectFromWindow(menu_, OBJID_CLIENT, __uuidof(IAccessible),
                                               reinterpret_cast<void**>(&client)));
    EXPECT_TRUE(moduleLoaded(menuProgram_->id(), "oleacc.dll")) << "the check sees nothing";
    EXPECT_EQ(title_, read(client, &IAccessible::get_accName, child(CHILDID_SELF)));
    VARIANT children[5];
    LONG count = 0;
    // Asked for one more than there are: S_FALSE, with the count of those there are.
    ASSERT_EQ(S_FALSE, AccessibleChildren(client, 0, 5, children, &count));
    ASSERT_EQ(4, count);

    const struct {
        const char *name, *description, *shortcut;
        LONG role;
        int slot;  // -1: the comment box
    } places[] = {
        {"Record", "Records how it was started.", "1", ROLE_SYSTEM_PUSHBUTTON, 0},
        {"Close", "Starts, then closes the menu.", "2", ROLE_SYSTEM_PUSHBUTTON, 1},
        {"Fourth", "", "4", ROLE_SYSTEM_PUSHBUTTON, 3},
        {"Pick an entry.", "", "", ROLE_SYSTEM_STATICTEXT, -1},
    };
    for (LONG i = 0; i < count; ++i) {
        const auto& place = places[i];
        SCOPED_TRACE(place.name);
        const VARIANT id = children[i];
        ASSERT_EQ(VT_I4, id.vt);
        EXPECT_EQ(place.name, read(client, &IAccessible::get_accName, id));
        EXPECT_EQ(place.description, read(client, &IAccessible::get_accDescription, id));
        EXPECT_EQ(place.shortcut, read(client, &IAccessible::get_accKeyboardShortcut, id));
        EXPECT_EQ(place.slot == -1 ? "" : "Open",
                  read(client, &IAccessible::get_accDefaultAction, id));
        VARIANT role = {}, state = {}, hit = {};
        client->get_accRole(id, &role);
        EXPECT_EQ(place.role, role.lVal);
        client->get_accState(id, &state);
        EXPECT_EQ(0, state.lVal & (STATE_SYSTEM_HOTTRACKED | STATE_SYSTEM_FOCUSED));
        RECT at = {};  // left, top, width, height
        client->accLocation(&at.left, &at.top, &at.right, &at.bottom, id);
        const RECT expected = placeOnScreen(menu_, place.slot);
        const RECT located = {at.left, at.top, at.left + at.right, at.top + at.bottom};
        EXPECT_TRUE(EqualRect(&expected, &located));
        // Hit testing agrees with the layout.
        client->accHitTest(at.left + at.right / 2, at.top + at.bottom / 2, &hit);
        EXPECT_EQ(id.lVal, hit.lVal);
    }
    // The empty place is bare picture; a child id that names nothing is refused.
    VARIANT hit = {};
    const RECT empty = placeOnScreen(menu_, 2);
    client->accHitTest((empty.left + empty.right) / 2, (empty.top + empty.bottom) / 2, &hit);
    EXPECT_EQ(CHILDID_SELF, hit.lVal);
    BSTR text = nullptr;
    EXPECT_EQ(E_INVALIDARG, client->get_accName(child(5), &text));

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
    EXPECT_EQ(S_OK, client->accDoDefaultAction(child(3)));
    EXPECT_TRUE(started("fourth"));
    EXPECT_EQ(S_OK, client->accDoDefaultAction(child(2)));
    EXPECT_TRUE(started("closing"));
    expectEndsWithZero();
    client->Release();
}

bool shiftTab() {
    INPUT shift = {};
    shift.type = INPUT_KEYBOARD;
    shift.ki.wVk = VK_SHIFT;
    SendInput(1, &shift, sizeof shift);
    const bool pressed = pressKey(VK_TAB);
    shift.ki.dwFlags = KEYEVENTF_KEYUP;
    return SendInput(1, &shift, sizeof shift) == 1 && pressed;
}

TEST_F(ScreenReader, PointerAndKeysLightEntriesWithFocusEvents) {
    HWINEVENTHOOK hook = SetWinEventHook(EVENT_OBJECT_FOCUS, EVENT_OBJECT_FOCUS, nullptr,
                                         focusEvent, menuProgram_->id(), 0, WINEVENT_OUTOFCONTEXT);
    ASSERT_NE(nullptr, hook);
    focusedChildren.clear();
    ASSERT_TRUE(clickAt(menu_, 150, 200));  // on the picture: the menu takes the keys
    ASSERT_TRUE(waitUntil([&] { return GetForegroundWindow() == menu_; }, kEndTimeoutMs));

    // Each step lights one entry, and the screen reader reads its caption from the event.
    const struct {
        const char* step;
        bool (*act)();
        const char* name;
    } steps[] = {
        {"pointer", [] { return movePointerTo(GetForegroundWindow(), 450, 181); }, "Fourth"},
        {"Down wraps", [] { return pressKey(VK_DOWN); }, "Record"},
        {"Down", [] { return pressKey(VK_DOWN); }, "Close"},
        {"Down skips the empty place", [] { return pressKey(VK_DOWN); }, "Fourth"},
        {"Up", [] { return pressKey(VK_UP); }, "Close"},
        {"Tab", [] { return pressKey(VK_TAB); }, "Fourth"},
        {"Tab wraps", [] { return pressKey(VK_TAB); }, "Record"},
        {"Shift+Tab wraps", shiftTab, "Fourth"},
        {"Down wraps again", [] { return pressKey(VK_DOWN); }, "Record"},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.step);
        const std::size_t before = focusedChildren.size();
        ASSERT_TRUE(step.act());
        ASSERT_TRUE(waitUntil(
            [&] {
                MSG message;
                while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
                return focusedChildren.size() == before + 1;
            },
            kEndTimeoutMs));
        IAccessible* object = nullptr;
        VARIANT id = {};
        ASSERT_EQ(S_OK, AccessibleObjectFromEvent(focusWindow, OBJID_CLIENT, focusedChildren.back(),
                                                  &object, &id));
        EXPECT_EQ(step.name, read(object, &IAccessible::get_accName, id));
        object->Release();
    }
    UnhookWinEvent(hook);

    // Space starts the lit entry; a digit still starts its own; Enter still only ends the menu.
    ASSERT_TRUE(pressKey(VK_SPACE));
    EXPECT_TRUE(started("first"));
    ASSERT_TRUE(pressKey('4'));
    EXPECT_TRUE(started("fourth"));
    ASSERT_TRUE(pressKey(VK_RETURN));
    expectEndsWithZero();
    EXPECT_EQ(std::string::npos, records().find("closing"));
}

}  // namespace
