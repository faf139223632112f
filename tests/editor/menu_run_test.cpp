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

// Starts the run of `menuFile` and `program` in `folder`, with its message to a hidden
// window; when it started, waits until the menu has ended and the message came.
bool startRun(const std::string& folder, const char* menuFile, const char* program, MenuRun& run,
              std::wstring& error) {
    HWND window = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                  GetModuleHandleW(nullptr), nullptr);
    const bool started =
        startMenuRun(wide(folder + menuFile), wide(folder + program), window, kRunDone, run, error);
    MSG done = {};
    if (started) {
        EXPECT_TRUE(waitUntil(
            [&] { return PeekMessageW(&done, window, kRunDone, kRunDone, PM_REMOVE) != 0; },
            kEndTimeoutMs));
        EXPECT_EQ(0u, done.wParam) << "the exit code";
    }
    DestroyWindow(window);
    return started;
}

// The menu file and the stand-in for the menu program in `folder` (ending in a backslash).
void layMedium(const std::string& folder) {
    writeWholeFile(folder + "autorun.inf", kMenuFile);
    ASSERT_TRUE(
        copyProgram(testProgramFolder() + RECORD_ARGS_FROM_TESTS, folder + "record-args.exe"));
}

TEST(MenuRun, FolderStartsFromTheRootOfADriveLetterMappedForTheRun) {
    TempFolder folder;
    layMedium(folder.path());
    MenuRun run;
    std::wstring error;
    if (runningUnderWine()) {
        // Wine maps the letter but opens no file through it: the run says so, starts
        // nothing and leaves nothing mapped.
        EXPECT_FALSE(startRun(folder.path(), "autorun.inf", "record-args.exe", run, error));
        EXPECT_NE(std::wstring::npos, error.find(L"cannot be reached there")) << error;
        EXPECT_EQ(L"", lettersMappedTo(wide(folder.path())));
        GTEST_SKIP() << "Wine opens no file through a drive letter mapped by DefineDosDevice";
    }
    ASSERT_TRUE(startRun(folder.path(), "autorun.inf", "record-args.exe", run, error)) << error;
    const std::string record = readWholeFile(folder.path() + "marker.txt");
    ASSERT_NE(0, run.drive);
    const std::string root = std::string(1, static_cast<char>(run.drive)) + ":\\";
    EXPECT_EQ(wide(root + "record-args.exe"), run.program);
    EXPECT_NE(std::string::npos, record.find("program=" + root + "record-args.exe\n")) << record;
    EXPECT_NE(std::string::npos, record.find("folder=" + root + "\n")) << record;
    // The letter stays for the programs the menu started, until the next run or the end.
    EXPECT_EQ(std::wstring(1, run.drive), lettersMappedTo(wide(folder.path())));
    EXPECT_TRUE(endMenuRuns());
    EXPECT_EQ(L"", lettersMappedTo(wide(folder.path()))) << "the letter is free again";
}

TEST(MenuRun, DriveRootStartsAsItIs) {
    MediumDrive drive;
    ASSERT_FALSE(drive.root().empty()) << "no free drive letter";
    layMedium(drive.root());
    MenuRun run;
    std::wstring error;
    ASSERT_TRUE(startRun(drive.root(), "autorun.inf", "record-args.exe", run, error)) << error;
    const std::string record = readWholeFile(drive.root() + "marker.txt");
    EXPECT_EQ(0, run.drive);
    EXPECT_EQ(wide(drive.root() + "record-args.exe"), run.program);
    EXPECT_NE(std::string::npos, record.find("program=" + drive.root() + "record-args.exe\n"))
        << record;
    EXPECT_NE(std::string::npos, record.find("folder=" + drive.root() + "\n")) << record;
}

TEST(MenuRun, StartsNothingTheMenuCouldNotShow) {
    TempFolder folder;
    layMedium(folder.path());
    const struct {
        const char* name;
        const char* program;
        bool lockHeld;
        const wchar_t* reason;
    } cases[] = {
        {"no program", "missing.exe", false, L"cannot be found"},
        {"a menu runs", "record-args.exe", true, L"running already"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        HANDLE lock = c.lockHeld ? CreateMutexA(nullptr, TRUE, kMenuInstanceLockName) : nullptr;
        MenuRun run;
        std::wstring error;
        EXPECT_FALSE(startRun(folder.path(), "autorun.inf", c.program, run, error));
        if (lock != nullptr) CloseHandle(lock);
        EXPECT_NE(std::wstring::npos, error.find(c.reason)) << error;
        EXPECT_EQ(L"", lettersMappedTo(wide(folder.path())));
        EXPECT_EQ("", readWholeFile(folder.path() + "marker.txt"));
    }
}

}  // namespace
