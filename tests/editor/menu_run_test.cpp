// Run (F5): the menu started as from its medium. A folder starts through a drive letter
// mapped for the run, which is free again once the menu ends; a drive's root starts as it
// is. record-args stands in for the menu and writes down how it was started.
#include "editor/run/menu_run.h"

#include <gtest/gtest.h>

#include <string>

#include "built_program.h"
#include "medium_drive.h"
#include "run_test_support.h"
#include "running_program.h"
#include "startup/instance_guard.h"
#include "test_files.h"

namespace {

constexpr UINT kRunDone = WM_APP + 7;
const char kMenuFile[] = "[0]\r\nTitle=Run\r\n1=Setup|setup.exe\r\n";

// A hidden window that receives the run's message.
class DoneWindow {
public:
    DoneWindow()
        : window_(CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                  GetModuleHandleW(nullptr), nullptr)) {}
    ~DoneWindow() { DestroyWindow(window_); }
    DoneWindow(const DoneWindow&) = delete;
    DoneWindow& operator=(const DoneWindow&) = delete;

    HWND handle() const { return window_; }

    // Waits for the run's message; true, with its parameters, when it came in time.
    bool waitForDone(WPARAM& exitCode, LPARAM& unmapped) const {
        MSG message;
        return waitUntil(
            [&] {
                if (!PeekMessageW(&message, window_, kRunDone, kRunDone, PM_REMOVE)) return false;
                exitCode = message.wParam;
                unmapped = message.lParam;
                return true;
            },
            kEndTimeoutMs);
    }

private:
    HWND window_;
};

// The menu file and the stand-in for the menu program in `folder` (ending in a backslash).
void layMedium(const std::string& folder) {
    writeWholeFile(folder + "autorun.inf", kMenuFile);
    ASSERT_TRUE(
        copyProgram(testProgramFolder() + RECORD_ARGS_FROM_TESTS, folder + "record-args.exe"));
}

// Starts the run of the medium in `folder` and waits until it has ended; the record of how
// the program was started.
std::string runToTheEnd(const std::string& folder, MenuRun& run) {
    DoneWindow done;
    std::wstring error;
    const bool started =
        startMenuRun(wide(folder + "autorun.inf"), wide(folder + "record-args.exe"), done.handle(),
                     kRunDone, run, error);
    EXPECT_TRUE(started) << error;
    if (!started) return {};
    WPARAM exitCode = 1;
    LPARAM unmapped = 1;
    EXPECT_TRUE(done.waitForDone(exitCode, unmapped));
    EXPECT_EQ(0u, exitCode);
    EXPECT_EQ(0, unmapped);
    return readWholeFile(folder + "marker.txt");
}

TEST(MenuRun, FolderStartsFromTheRootOfADriveLetterMappedForTheRun) {
    TempFolder folder;
    layMedium(folder.path());
    if (runningUnderWine()) {
        // Wine maps the letter but opens no file through it: the run says so, starts
        // nothing and leaves nothing mapped.
        DoneWindow done;
        MenuRun run;
        std::wstring error;
        EXPECT_FALSE(startMenuRun(wide(folder.path() + "autorun.inf"),
                                  wide(folder.path() + "record-args.exe"), done.handle(), kRunDone,
                                  run, error));
        EXPECT_NE(std::wstring::npos, error.find(L"cannot be reached there")) << error;
        EXPECT_EQ(L"", lettersMappedTo(wide(folder.path())));
        GTEST_SKIP() << "Wine opens no file through a drive letter mapped by DefineDosDevice";
    }
    MenuRun run;
    const std::string record = runToTheEnd(folder.path(), run);
    ASSERT_NE(0, run.drive);
    const std::string root = std::string(1, static_cast<char>(run.drive)) + ":\\";
    EXPECT_EQ(wide(root + "record-args.exe"), run.program);
    EXPECT_NE(std::string::npos, record.find("program=" + root + "record-args.exe\n")) << record;
    EXPECT_NE(std::string::npos, record.find("folder=" + root + "\n")) << record;
    EXPECT_EQ(L"", lettersMappedTo(wide(folder.path()))) << "the letter is free again";
}

TEST(MenuRun, DriveRootStartsAsItIs) {
    MediumDrive drive;
    ASSERT_FALSE(drive.root().empty()) << "no free drive letter";
    layMedium(drive.root());
    MenuRun run;
    const std::string record = runToTheEnd(drive.root(), run);
    EXPECT_EQ(0, run.drive);
    EXPECT_EQ(wide(drive.root() + "record-args.exe"), run.program);
    EXPECT_NE(std::string::npos, record.find("program=" + drive.root() + "record-args.exe\n"))
        << record;
    EXPECT_NE(std::string::npos, record.find("folder=" + drive.root() + "\n")) << record;
}

TEST(MenuRun, StartsNothingTheMenuCouldNotShow) {
    TempFolder folder;
    layMedium(folder.path());
    writeWholeFile(folder.path() + "menu.inf", kMenuFile);
    const struct {
        const char* name;
        const char* menuFile;
        const char* program;
        bool lockHeld;
        const wchar_t* reason;
    } cases[] = {
        {"another name", "menu.inf", "record-args.exe", false, L"only the file named autorun.inf"},
        {"no program", "autorun.inf", "missing.exe", false, L"cannot be found"},
        {"a folder for a program", "autorun.inf", "sub", false, L"is a folder"},
        {"a menu runs", "autorun.inf", "record-args.exe", true, L"running already"},
    };
    CreateDirectoryA((folder.path() + "sub").c_str(), nullptr);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        HANDLE lock = c.lockHeld ? CreateMutexA(nullptr, TRUE, kMenuInstanceLockName) : nullptr;
        DoneWindow done;
        MenuRun run;
        std::wstring error;
        EXPECT_FALSE(startMenuRun(wide(folder.path() + c.menuFile), wide(folder.path() + c.program),
                                  done.handle(), kRunDone, run, error));
        if (lock != nullptr) CloseHandle(lock);
        EXPECT_NE(std::wstring::npos, error.find(c.reason)) << error;
        EXPECT_EQ(0u, run.processId);
        EXPECT_EQ(L"", lettersMappedTo(wide(folder.path())));
        EXPECT_EQ("", readWholeFile(folder.path() + "marker.txt"));
    }
}

}  // namespace
