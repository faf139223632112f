// The findings worker end to end: texts checked in a check process of the tests' own
// (findings-test-child.exe, the real check unless told to misbehave), results posted to a
// window of this thread.
#include "editor/findings/findings_worker.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "built_program.h"
#include "checker/medium_check.h"
#include "console/console_text.h"
#include "editor/findings/ansi_path.h"
#include "running_program.h"
#include "test_files.h"

namespace {

constexpr UINT kResultMessage = WM_APP + 7;
const wchar_t kModeVariable[] = L"AUTORUN_MENU_FINDINGS_TEST_CHILD";

std::wstring wide(const std::string& text) { return wideFromCodePage(text, CP_ACP); }

std::wstring testChild() { return wide(siblingProgramPath("findings-test-child.exe")); }

struct Posted {
    WPARAM generation;
    std::unique_ptr<CheckResult> result;
};

// A window of this thread for the results, and the results it got.
class Results {
public:
    Results()
        : window_(CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr,
                                  nullptr)) {}
    ~Results() { DestroyWindow(window_); }
    HWND window() const { return window_; }

    // The results posted within `ms`, or as soon as there are `count`.
    std::vector<Posted> wait(DWORD ms, std::size_t count) {
        std::vector<Posted> posted;
        const ULONGLONG deadline = GetTickCount64() + ms;
        while (posted.size() < count) {
            const ULONGLONG time = GetTickCount64();
            if (time >= deadline) break;
            MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(deadline - time),
                                      QS_POSTMESSAGE);
            MSG message;
            while (PeekMessageW(&message, window_, kResultMessage, kResultMessage, PM_REMOVE))
                posted.push_back(
                    {message.wParam,
                     std::unique_ptr<CheckResult>(reinterpret_cast<CheckResult*>(message.lParam))});
        }
        return posted;
    }

private:
    HWND window_;
};

// The text of the finding at `place` ("[0] Title"), or "(none)".
std::string textAt(const CheckResult& result, const std::string& place) {
    for (const Finding& finding : result.findings) {
        if (placeText(finding.place) == place) return finding.text;
    }
    return "(none)";
}

// The mode in which the check process runs on, named for this test process, and whether a
// check process runs so.
std::wstring hangMode() { return L"hang-" + std::to_wstring(GetCurrentProcessId()); }

bool childRunning() {
    const std::wstring name = L"autorun-menu-findings-test-" + hangMode();
    HANDLE event = OpenEventW(SYNCHRONIZE, FALSE, name.c_str());
    if (event == nullptr) return false;
    CloseHandle(event);
    return true;
}

// A medium whose menu file on disk differs from the text the editor holds.
struct Medium {
    TempFolder folder;
    std::string menuFile = folder.write("autorun.inf", "[0]\r\nTitle=On disk\r\n");
    Medium() {
        folder.write("setup.exe", "");
        copyProgram(testProgramFolder() + AUTORUN_MENU_FROM_TESTS,
                    folder.path() + "autorun-menu.exe");
    }
};

std::string typed(const std::string& title) {
    return "[0]\r\nTitle=" + title + "\r\n1=Setup|setup.exe||||\r\n2=Manual|manual.pdf||||\r\n";
}

TEST(FindingsWorker, ChecksTheTextGivenAndNamesTheRealMenuFile) {
    Medium medium;
    Results results;
    FindingsWorker worker(results.window(), kResultMessage, testChild());
    EXPECT_EQ(worker.request(typed("Typed"), wide(medium.menuFile), L"", L""), 1u);

    const std::vector<Posted> posted = results.wait(kStartTimeoutMs, 1);
    ASSERT_EQ(posted.size(), 1u);
    const CheckResult& result = *posted[0].result;
    EXPECT_EQ(posted[0].generation, 1u);
    EXPECT_TRUE(result.complete) << testing::PrintToString(textAt(result, medium.menuFile));
    EXPECT_EQ(result.menuFile, medium.menuFile);
    EXPECT_EQ(textAt(result, "[0] Title"), "\"Typed\"");
    // Commands are looked for on the medium, and the picture is the menu program's beside it.
    EXPECT_EQ(textAt(result, "[0] 2"),
              "\"Manual\" starts " + medium.folder.path() + "manual.pdf, the menu stays open");
    EXPECT_EQ(textAt(result, medium.folder.path() + "autorun-menu.exe"),
              "the menu program: captions are measured on its 600 x 397 picture");
    bool errorAboutManual = false;
    for (const Finding& finding : result.findings) {
        if (finding.place.inMenuFile()) {
            EXPECT_EQ(finding.place.path, medium.menuFile);
        }
        errorAboutManual = errorAboutManual || (finding.severity == Severity::Error &&
                                                placeText(finding.place) == "[0] 2");
    }
    EXPECT_TRUE(errorAboutManual);
}

TEST(FindingsWorker, QuickRequestsGiveOneResultTheLast) {
    Medium medium;
    Results results;
    FindingsWorker worker(results.window(), kResultMessage, testChild());
    worker.request(typed("First"), wide(medium.menuFile), L"", L"");
    Sleep(20);
    const std::uint32_t last = worker.request(typed("Second"), wide(medium.menuFile), L"", L"");

    std::vector<Posted> posted = results.wait(kStartTimeoutMs, 1);
    ASSERT_EQ(posted.size(), 1u);
    EXPECT_EQ(posted[0].generation, last);
    EXPECT_EQ(textAt(*posted[0].result, "[0] Title"), "\"Second\"");
    EXPECT_TRUE(results.wait(2 * FindingsWorker::kQuietMs + 300, 1).empty());
}

// The environment variable that makes the check process misbehave, set while it lives.
class ChildMode {
public:
    explicit ChildMode(const std::wstring& mode) {
        SetEnvironmentVariableW(kModeVariable, mode.c_str());
    }
    ~ChildMode() { SetEnvironmentVariableW(kModeVariable, nullptr); }
};

TEST(FindingsWorker, ANewerRequestEndsTheRunningCheck) {
    Medium medium;
    Results results;
    FindingsWorker worker(results.window(), kResultMessage, testChild());
    {
        const ChildMode hang(hangMode());
        worker.request(typed("Hangs"), wide(medium.menuFile), L"", L"");
        ASSERT_TRUE(waitUntil(childRunning, kStartTimeoutMs));
    }
    worker.request(typed("Next"), wide(medium.menuFile), L"", L"");
    const std::vector<Posted> posted = results.wait(kStartTimeoutMs, 1);
    ASSERT_EQ(posted.size(), 1u);
    EXPECT_EQ(posted[0].generation, 2u);
    EXPECT_EQ(textAt(*posted[0].result, "[0] Title"), "\"Next\"");
    EXPECT_FALSE(childRunning());
}

TEST(FindingsWorker, GoingWithACheckRunningEndsItAtOnce) {
    Medium medium;
    Results results;
    const ChildMode hang(hangMode());
    auto worker = std::make_unique<FindingsWorker>(results.window(), kResultMessage, testChild());
    worker->request(typed("Hangs"), wide(medium.menuFile), L"", L"");
    ASSERT_TRUE(waitUntil(childRunning, kStartTimeoutMs));
    const ULONGLONG start = GetTickCount64();
    worker.reset();
    EXPECT_LT(GetTickCount64() - start, 2000u);
    EXPECT_FALSE(childRunning());
    EXPECT_TRUE(results.wait(100, 1).empty());
}

// A check process that fails gives one error that says how.
TEST(FindingsWorker, AFailedCheckIsOneErrorThatSaysSo) {
    Medium medium;
    const struct {
        const wchar_t* mode;
        std::wstring child;
        std::string says;
    } cases[] = {
        {L"garbage", testChild(), ") gave no findings the editor can read"},
        {L"fail", testChild(), ") failed: it ended with code 3"},
        {L"early", testChild(), ") failed: it ended with code 4"},
        {L"", wide(medium.folder.path()) + L"missing.exe", ") failed: it could not start: "},
    };
    for (const auto& c : cases) {
        const ChildMode mode(c.mode);
        Results results;
        FindingsWorker worker(results.window(), kResultMessage, c.child);
        worker.request(typed("Any"), wide(medium.menuFile), L"", L"");
        const std::vector<Posted> posted = results.wait(kStartTimeoutMs, 1);
        ASSERT_EQ(posted.size(), 1u);
        const CheckResult& result = *posted[0].result;
        EXPECT_FALSE(result.complete);
        ASSERT_EQ(result.findings.size(), 1u);
        const Finding& finding = result.findings[0];
        EXPECT_EQ(finding.severity, Severity::Error);
        EXPECT_EQ(finding.place.path, medium.menuFile);
        const std::string start = "not checked: the check's process (" + utf8FromWideText(c.child);
        EXPECT_EQ(finding.text.compare(0, start.size(), start), 0) << finding.text;
        EXPECT_NE(finding.text.find(c.says), std::string::npos) << finding.text;
    }
}

}  // namespace

namespace {

// The one path policy: a folder the ANSI code page cannot name reaches the checker by its
// short form, so the menu program in it is found (the preview shows its picture); and UTF-8
// as the code page (Windows 10's "Beta: Use Unicode UTF-8") holds every character, so no
// path counts as lost. This PC's code page is not UTF-8 under Wine: the UTF-8 branch is
// taken by asking for UTF-8 itself.
TEST(PathPolicy, FoldersTheCodePageCannotNameReachTheChecker) {
    TempFolder folder;
    const std::wstring medium =
        wideFromCodePage(folder.path(), CP_ACP) + L"\x0414\x0438\x0441\x043A \x03A9\\";
    ASSERT_TRUE(CreateDirectoryW(medium.c_str(), nullptr));
    ASSERT_TRUE(
        CopyFileW(wideFromCodePage(testProgramFolder() + AUTORUN_MENU_FROM_TESTS, CP_ACP).c_str(),
                  (medium + L"autorun-menu.exe").c_str(), FALSE));
    const std::wstring program = menuProgramIn(medium);
    EXPECT_FALSE(program.empty()) << "the menu program in a folder named beyond the code page";
    EXPECT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(program.c_str()));
    DeleteFileW((medium + L"autorun-menu.exe").c_str());
    RemoveDirectoryW(medium.c_str());

    bool lossy = true;
    EXPECT_EQ("\xD0\x94\xCE\xA9", inCodePage(L"\x0414\x03A9", CP_UTF8, &lossy));
    EXPECT_FALSE(lossy);
}

}  // namespace
