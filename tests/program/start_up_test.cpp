// The built program run as a process: it shows its menu only with a menu file beside it,
// one copy at a time, until the menu is closed, and again on request from outside.
// Messages are posted to the menu window here; tests/program/end_to_end_test.cpp drives
// it with real input.
#include <windows.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>

#include "built_program.h"
#include "running_program.h"
#include "test_files.h"

namespace {

constexpr WPARAM kReshowCommand = 1002;

// A folder holding a copy of the program under another name, with or without a menu file.
class MenuFolder {
public:
    MenuFolder() : program_(folder_.path() + "start.exe") {
        copied_ = copyProgram(builtProgramPath(), program_);
    }

    bool copied() const { return copied_; }
    const std::string& program() const { return program_; }
    std::string path() const { return folder_.path(); }

    // Writes a menu file titled `title` with two entries (which these tests never start).
    void writeMenuFile(const std::string& title) const {
        folder_.write("autorun.inf", "[0]\r\nTitle=" + title +
                                         "\r\nPrompt=Pick an entry.\r\n"
                                         "1=First|first.exe||The first entry.||\r\n"
                                         "2=Second|second.exe||The second entry.||\r\n");
    }
    void write(const std::string& name, const std::string& content) const {
        folder_.write(name, content);
    }

private:
    TempFolder folder_;
    std::string program_;
    bool copied_ = false;
};

// A title no other window on the display carries.
std::string uniqueTitle(const char* what) {
    return std::string("Program test ") + what + " " + std::to_string(GetCurrentProcessId());
}

// Watches the program until it ends and expects exit code 0 with no window shown meanwhile.
void expectQuietEnd(const RunningProgram& program) {
    bool windowSeen = false;
    const bool ended = waitUntil(
        [&] {
            windowSeen = windowSeen || !visibleWindowsOf(program.id()).empty();
            return program.waitForExit(0).has_value();
        },
        kEndTimeoutMs);
    ASSERT_TRUE(ended) << "the program is still running";
    EXPECT_EQ(0u, *program.waitForExit(0));
    EXPECT_FALSE(windowSeen);
}

TEST(StartUp, WithoutMenuFileEndsQuietly) {
    // The menu file is always autorun.inf: a file named after the program does not count.
    const struct {
        const char* what;
        const char* fileName;
    } cases[] = {
        {"nothing beside the program", nullptr},
        {"a file named after the program", "start.inf"},
        {"another extension", "autorun.ini"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        MenuFolder folder;
        ASSERT_TRUE(folder.copied());
        if (c.fileName != nullptr) {
            folder.write(c.fileName, "[0]\r\nTitle=" + uniqueTitle("no menu") + "\r\n");
        }
        RunningProgram program(folder.program());
        ASSERT_TRUE(program.started());
        expectQuietEnd(program);
    }
}

// A menu shown by a copy of the program, ready for each test.
class ShownMenu : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_FALSE(menuLockHeld()) << "a menu from elsewhere is running";
        ASSERT_TRUE(folder_.copied());
        folder_.writeMenuFile(title_);
        program_ = std::make_unique<RunningProgram>(folder_.program());
        ASSERT_TRUE(program_->started());
        menu_ = waitForMenuWindow(*program_, title_);
        ASSERT_NE(nullptr, menu_) << "the menu did not appear";
    }

    // Expects the program to end with exit code 0 and leave no window behind.
    void expectEndsWithZero() {
        const auto code = program_->waitForExit(kEndTimeoutMs);
        ASSERT_TRUE(code.has_value()) << "the program is still running";
        EXPECT_EQ(0u, *code);
    }

    // Waits for the menu to be shown again after its window `previous` went.
    HWND waitForNewMenu(HWND previous) {
        HWND next = nullptr;
        waitUntil(
            [&] {
                next = findMenuWindow(program_->id(), title_);
                return (next != nullptr && next != previous && !IsWindow(previous)) ||
                       program_->waitForExit(0).has_value();
            },
            kStartTimeoutMs);
        return next != previous ? next : nullptr;
    }

    const std::string title_ = uniqueTitle("menu");
    MenuFolder folder_;
    std::unique_ptr<RunningProgram> program_;
    HWND menu_ = nullptr;
};

TEST_F(ShownMenu, IsOneWindowTitledFromTheMenuFile) {
    EXPECT_EQ(1u, visibleWindowsOf(program_->id()).size());
    EXPECT_EQ("#32770", windowClass(menu_));
    RECT client;
    GetClientRect(menu_, &client);
    EXPECT_EQ(600, client.right);
    EXPECT_EQ(397, client.bottom);
}

// Every way a user closes the menu ends the program, with exit code 0. Keys are handled
// by the dialog manager inside the menu's modal loop, so a posted key press acts like a
// typed one.
TEST(ClosingTheMenu, EndsTheProgramWithZero) {
    const struct {
        const char* what;
        UINT message;
        WPARAM wParam;
    } cases[] = {
        {"Escape", WM_KEYDOWN, VK_ESCAPE},
        {"Enter", WM_KEYDOWN, VK_RETURN},
        {"close request", WM_CLOSE, 0},
        {"Close in the window menu", WM_SYSCOMMAND, SC_CLOSE},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string title = uniqueTitle("closing");
        MenuFolder folder;
        ASSERT_TRUE(folder.copied());
        folder.writeMenuFile(title);
        RunningProgram program(folder.program());
        HWND menu = waitForMenuWindow(program, title);
        ASSERT_NE(nullptr, menu) << "the menu did not appear";
        PostMessageA(menu, c.message, c.wParam, 0);
        const auto code = program.waitForExit(kEndTimeoutMs);
        ASSERT_TRUE(code.has_value()) << "the program is still running";
        EXPECT_EQ(0u, *code);
    }
}

TEST_F(ShownMenu, SecondCopyEndsAtOnceAndLeavesTheMenuAlone) {
    // Another copy, under another name, in the same folder: it reads the same menu file.
    const std::string second = folder_.path() + "again.exe";
    ASSERT_TRUE(copyProgram(folder_.program(), second));
    RunningProgram again(second);
    ASSERT_TRUE(again.started());
    expectQuietEnd(again);

    // The first copy still shows the same, single window.
    const auto windows = visibleWindowsOf(program_->id());
    ASSERT_EQ(1u, windows.size());
    EXPECT_EQ(menu_, windows[0]);
    EXPECT_FALSE(program_->waitForExit(0).has_value());
}

TEST_F(ShownMenu, Command1002FromOutsideShowsTheMenuAgain) {
    for (int showing = 2; showing <= 3; ++showing) {
        SCOPED_TRACE("showing " + std::to_string(showing));
        PostMessageA(menu_, WM_COMMAND, kReshowCommand, 0);
        HWND again = waitForNewMenu(menu_);
        ASSERT_NE(nullptr, again) << "the menu was not shown again";
        EXPECT_EQ(1u, visibleWindowsOf(program_->id()).size());
        menu_ = again;
    }
    PostMessageA(menu_, WM_CLOSE, 0, 0);
    expectEndsWithZero();
}

TEST_F(ShownMenu, CommandWithNotificationCodeLeavesTheMenuOpen) {
    // Had either of the first two ended the dialog, the program would be gone before the
    // third could show the menu again.
    PostMessageA(menu_, WM_COMMAND, MAKEWPARAM(IDCANCEL, 1), 0);  // as an accelerator sends
    PostMessageA(menu_, WM_COMMAND, MAKEWPARAM(kReshowCommand, EN_CHANGE), 0);
    PostMessageA(menu_, WM_COMMAND, kReshowCommand, 0);
    HWND again = waitForNewMenu(menu_);
    ASSERT_NE(nullptr, again) << "the menu was closed, or not shown again";
    PostMessageA(again, WM_KEYDOWN, VK_ESCAPE, 0);
    expectEndsWithZero();
}

TEST(SingleInstanceLock, HeldByAnotherProgramKeepsTheMenuAway) {
    HANDLE lock = CreateMutexA(nullptr, TRUE, kMenuLockName);
    ASSERT_NE(nullptr, lock);
    ASSERT_NE(static_cast<DWORD>(ERROR_ALREADY_EXISTS), GetLastError()) << "a menu is running";
    MenuFolder folder;
    ASSERT_TRUE(folder.copied());
    folder.writeMenuFile(uniqueTitle("held lock"));
    {
        RunningProgram program(folder.program());
        ASSERT_TRUE(program.started());
        expectQuietEnd(program);
    }
    ReleaseMutex(lock);
    CloseHandle(lock);
}

// However the first copy ended, the lock is free for the next one: released, or left
// behind by a process that ended while holding it. This test keeps the lock object alive
// throughout, so a lock left behind is abandoned rather than gone with its last handle.
TEST(SingleInstanceLock, FreedWhenTheHolderEnds) {
    const struct {
        const char* what;
        bool withMenuFile;
        bool kill;
    } cases[] = {
        {"closed by the user", true, false},
        {"killed while showing its menu", true, true},
        {"ended early without a menu file", false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        HANDLE lock = CreateMutexA(nullptr, FALSE, kMenuLockName);
        ASSERT_NE(nullptr, lock);
        const std::string title = uniqueTitle("lock");
        {
            MenuFolder first;
            ASSERT_TRUE(first.copied());
            if (c.withMenuFile) first.writeMenuFile(title);
            RunningProgram holder(first.program());
            ASSERT_TRUE(holder.started());
            if (c.withMenuFile) {
                HWND menu = waitForMenuWindow(holder, title);
                ASSERT_NE(nullptr, menu);
                // The menu holds the lock while it shows.
                const DWORD wait = WaitForSingleObject(lock, 0);
                if (wait != WAIT_TIMEOUT) ReleaseMutex(lock);
                EXPECT_EQ(static_cast<DWORD>(WAIT_TIMEOUT), wait) << "the menu holds no lock";
                if (c.kill) {
                    holder.kill();
                } else {
                    PostMessageA(menu, WM_CLOSE, 0, 0);
                }
            }
            ASSERT_TRUE(holder.waitForExit(kEndTimeoutMs).has_value());
        }
        MenuFolder next;
        ASSERT_TRUE(next.copied());
        next.writeMenuFile(title);
        RunningProgram program(next.program());
        HWND menu = waitForMenuWindow(program, title);
        EXPECT_NE(nullptr, menu) << "the next copy showed no menu";
        if (menu != nullptr) PostMessageA(menu, WM_CLOSE, 0, 0);
        const auto code = program.waitForExit(kEndTimeoutMs);
        EXPECT_TRUE(code.has_value());
        EXPECT_EQ(0u, code.value_or(1));
        CloseHandle(lock);
    }
}

// A menu file saved as UTF-16 ("Unicode" in Notepad): the system's profile reader hands
// the menu its language's section in the system's code page. Run with the Russian system
// language by program-tests.RussianSystemLanguage, otherwise with English.
TEST(SystemLanguageMenu, ShowsTheTitleOfItsSectionFromAUtf16MenuFile) {
    const char* expected = std::getenv("AUTORUN_MENU_EXPECT_LANGID");
    const bool russian = expected != nullptr && std::atoi(expected) == 0x0419;
    if (!russian && PRIMARYLANGID(GetSystemDefaultLangID()) != LANG_ENGLISH)
        GTEST_SKIP() << "the system's language is neither English nor Russian";
    ASSERT_EQ(russian, GetSystemDefaultLangID() == 0x0419);

    const std::wstring english = L"Program test English " + std::to_wstring(GetCurrentProcessId());
    const std::wstring russianTitle =
        L"\x041F\x0440\x043E\x0431\x0430 " + std::to_wstring(GetCurrentProcessId());
    const std::wstring text = L"[0]\r\nTitle=" + english +
                              L"\r\n1=First|first.exe||||\r\n[1]\r\nTitle=" + russianTitle +
                              L"\r\n1=\x041F\x0435\x0440\x0432\x044B\x0439|first.exe||||\r\n";
    std::string bytes = "\xFF\xFE";
    for (wchar_t unit : text) {
        bytes.push_back(static_cast<char>(unit & 0xFF));
        bytes.push_back(static_cast<char>(unit >> 8 & 0xFF));
    }
    MenuFolder folder;
    ASSERT_TRUE(folder.copied());
    folder.write("autorun.inf", bytes);

    RunningProgram program(folder.program());
    ASSERT_TRUE(program.started());
    HWND menu = nullptr;
    waitUntil(
        [&] {
            const std::vector<HWND> windows = visibleWindowsOf(program.id());
            menu = windows.empty() ? nullptr : windows[0];
            return menu != nullptr;
        },
        kStartTimeoutMs);
    ASSERT_NE(nullptr, menu) << "the menu did not appear";
    wchar_t title[256] = {};
    GetWindowTextW(menu, title, 256);
    EXPECT_EQ(russian ? russianTitle : english, std::wstring(title));
    PostMessageA(menu, WM_CLOSE, 0, 0);
    EXPECT_TRUE(program.waitForExit(kEndTimeoutMs).has_value());
}

}  // namespace
