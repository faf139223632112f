// The menu on a medium, driven with real input: a temporary folder mapped to a drive
// letter so the medium's root is a drive root, the program copied under another name into
// a subfolder, a menu file per case, and a helper program as the entries' command that
// records how it was started (tests/program/record_args.cpp).
#include <windows.h>
#include <gtest/gtest.h>
// The process list, which needs the types of <windows.h>.
#include <tlhelp32.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "built_program.h"
#include "medium_drive.h"
#include "real_input.h"
#include "running_program.h"
#include "test_files.h"

namespace {

// Client points of the menu window. The places of the entries are fixed: entry i (from 0)
// covers {310, 60 + 35i, 590, 92 + 35i}, its edges excluded.
POINT entryCentre(int slot) { return {450, 76 + 35 * slot}; }
const POINT kOnThePicture = {150, 200};  // left of the entries: no entry there

// One start of the helper program, as it recorded it.
struct Record {
    std::string program;
    std::vector<std::string> args;
};

// The complete records of a marker file, in the order they were written.
std::vector<Record> readRecords(const std::string& marker) {
    std::vector<Record> records;
    Record current;
    const std::string content = readWholeFile(marker);
    std::size_t start = 0;
    for (std::size_t end; (end = content.find('\n', start)) != std::string::npos; start = end + 1) {
        const std::string line = content.substr(start, end - start);
        if (line.rfind("program=", 0) == 0) {
            current = Record{line.substr(8), {}};
        } else if (line.rfind("arg=", 0) == 0) {
            current.args.push_back(line.substr(4));
        } else if (line == "end") {
            records.push_back(current);
        }
    }
    return records;
}

bool sameName(const char* a, const char* b) {
    return CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, a, -1, b, -1) == CSTR_EQUAL;
}

// True while a helper program started by process `parent` runs.
bool helperRunning(DWORD parent) {
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE) return false;
    PROCESSENTRY32 entry;
    entry.dwSize = sizeof entry;
    bool running = false;
    for (BOOL more = Process32First(snapshot, &entry); more && !running;
         more = Process32Next(snapshot, &entry)) {
        running =
            entry.th32ParentProcessID == parent && sameName(entry.szExeFile, RECORD_ARGS_PROGRAM);
    }
    CloseHandle(snapshot);
    return running;
}

// The records in `marker` once the helper started last, the one given `lastArgs`, has
// written its own and no helper that `menu` started still runs. The menu starts entries
// one after another, so by then every entry it started, also one started by mistake, has
// written its record. Records are in the order they were written, which need not be the
// order the helpers were started.
std::vector<Record> recordsWhenSettled(const std::string& marker, const RunningProgram& menu,
                                       const std::vector<std::string>& lastArgs) {
    waitUntil(
        [&] {
            const auto records = readRecords(marker);
            return std::any_of(records.begin(), records.end(),
                               [&](const Record& record) { return record.args == lastArgs; });
        },
        kEndTimeoutMs);
    waitUntil([&] { return !helperRunning(menu.id()); }, kEndTimeoutMs);
    return readRecords(marker);
}

using ArgLists = std::vector<std::vector<std::string>>;

// The argument lists of `records`, sorted.
ArgLists sortedArgs(const std::vector<Record>& records) {
    ArgLists args;
    for (const Record& record : records) args.push_back(record.args);
    std::sort(args.begin(), args.end());
    return args;
}

bool samePath(const std::string& a, const std::string& b) { return sameName(a.c_str(), b.c_str()); }

// An environment variable set for the programs this test starts, removed afterwards.
class ScopedVariable {
public:
    ScopedVariable(const char* name, const std::string& value) : name_(name) {
        SetEnvironmentVariableA(name, value.c_str());
    }
    ~ScopedVariable() { SetEnvironmentVariableA(name_, nullptr); }

private:
    const char* name_;
};

class MenuOnMedium : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_FALSE(menuLockHeld()) << "a menu from elsewhere is running";
        ASSERT_NE("", drive_.root()) << "no drive letter could be mapped";
        drive_.makeFolder("setup");
        drive_.makeFolder("tools");
        ASSERT_TRUE(copyProgram(builtProgramPath(), program()));
        ASSERT_TRUE(copyProgram(siblingProgramPath(RECORD_ARGS_PROGRAM), helper()));
    }

    std::string program() const { return drive_.root() + "setup\\start.exe"; }
    std::string helper() const { return drive_.root() + "tools\\record-args.exe"; }
    std::string marker() const { return drive_.root() + "tools\\marker.txt"; }

    // Writes the menu file beside the program: section [0] with the title, a prompt and
    // `entries`, each a key line such as "1=caption|command|...".
    void writeMenuFile(const std::vector<std::string>& entries) const {
        std::string content = "[0]\r\nTitle=" + title_ + "\r\nPrompt=Pick an entry.\r\n";
        for (const std::string& entry : entries) content += entry + "\r\n";
        drive_.write("setup\\autorun.inf", content);
    }

    // Starts the program from the medium and waits for its menu.
    void startMenu() {
        menuProgram_ = std::make_unique<RunningProgram>(program());
        ASSERT_TRUE(menuProgram_->started());
        menu_ = waitForMenuWindow(*menuProgram_, title_);
        ASSERT_NE(nullptr, menu_) << "the menu did not appear";
    }

    // Makes the menu the window that takes the keys, as a user would: a click on the
    // picture, where no entry is, with the pointer left inside the window.
    void bringMenuToFront() {
        ASSERT_TRUE(clickAt(menu_, kOnThePicture.x, kOnThePicture.y));
        ASSERT_TRUE(waitUntil([&] { return GetForegroundWindow() == menu_; }, kEndTimeoutMs));
    }

    void clickEntry(int slot) {
        const POINT at = entryCentre(slot);
        ASSERT_TRUE(clickAt(menu_, at.x, at.y));
    }

    std::vector<Record> settled(const std::vector<std::string>& lastArgs) const {
        return recordsWhenSettled(marker(), *menuProgram_, lastArgs);
    }

    void expectEndsWithZero() {
        const auto code = menuProgram_->waitForExit(kEndTimeoutMs);
        ASSERT_TRUE(code.has_value()) << "the program is still running";
        EXPECT_EQ(0u, *code);
    }

    const std::string title_ = "Medium test " + std::to_string(GetCurrentProcessId());
    MediumDrive drive_;
    std::unique_ptr<RunningProgram> menuProgram_;
    HWND menu_ = nullptr;
};

TEST_F(MenuOnMedium, ClickStartsTheEntryFromTheMediumWithItsParameters) {
    ScopedVariable value("AUTORUN_MENU_TEST_VALUE", "from the environment");
    writeMenuFile({
        "1=Record|tools\\record-args.exe|\"--value=%AUTORUN_MENU_TEST_VALUE%\" second|"
        "Records how it was started.|It could not be started.|",
    });
    ASSERT_NO_FATAL_FAILURE(startMenu());
    ASSERT_NO_FATAL_FAILURE(clickEntry(0));

    const std::vector<std::string> expected = {"--value=from the environment", "second"};
    const auto records = settled(expected);
    ASSERT_EQ(1u, records.size());
    EXPECT_EQ(expected, records[0].args);
    // The command relative to the medium's root, not to the program's folder.
    EXPECT_PRED2(samePath, helper(), records[0].program);

    // The menu stays open.
    EXPECT_EQ(menu_, findMenuWindow(menuProgram_->id(), title_));
    ASSERT_TRUE(pressKey(VK_RETURN));
    expectEndsWithZero();
}

TEST_F(MenuOnMedium, ClicksOutsideTheEntriesStartNothing) {
    // Entry 3 is missing, so its place is empty.
    writeMenuFile({
        "1=First|tools\\record-args.exe|first|||",
        "2=Second|tools\\record-args.exe|second|||",
        "4=Fourth|tools\\record-args.exe|fourth|||",
        "5=Fifth|tools\\record-args.exe|fifth|||",
    });
    ASSERT_NO_FATAL_FAILURE(startMenu());
    const struct {
        const char* what;
        int x, y;
    } nowhere[] = {
        {"left edge of entry 1", 310, 76},        {"right edge of entry 1", 590, 76},
        {"top edge of entry 1", 450, 60},         {"bottom edge of entry 1", 450, 92},
        {"gap below entry 1", 450, 93},           {"top edge of entry 2", 450, 95},
        {"place of the empty entry 3", 450, 146}, {"comment box", 450, 330},
        {"picture left of entry 3", 150, 146},
    };
    for (const auto& point : nowhere) {
        ASSERT_TRUE(clickAt(menu_, point.x, point.y)) << point.what;
    }
    // Clicks are handled in order: once the last one has started its entry, any click
    // before it would have started its entry too.
    ASSERT_NO_FATAL_FAILURE(clickEntry(4));
    EXPECT_EQ(ArgLists{{"fifth"}}, sortedArgs(settled({"fifth"})))
        << "a click outside the entries started one";
}

TEST_F(MenuOnMedium, DigitKeyStartsTheEntryOfItsSlot) {
    writeMenuFile({
        "1=First|tools\\record-args.exe|first|||", "2=Second|tools\\record-args.exe|second|||",
        "3=|tools\\record-args.exe|hidden|||",  // not drawn, but its key works
    });
    ASSERT_NO_FATAL_FAILURE(startMenu());
    ASSERT_NO_FATAL_FAILURE(bringMenuToFront());

    // Keys that start nothing, then one that does: keys are handled in order.
    for (WORD key : {WORD{'0'}, WORD{'6'}, WORD{'9'}, WORD{VK_NUMPAD2}}) {
        ASSERT_TRUE(pressKey(key));
    }
    ASSERT_TRUE(pressKey('2'));
    EXPECT_EQ(ArgLists{{"second"}}, sortedArgs(settled({"second"})));

    // A key held down starts its entry once, when it is released.
    ASSERT_TRUE(pressKey('3', 4));
    ASSERT_TRUE(pressKey('1'));
    EXPECT_EQ((ArgLists{{"first"}, {"hidden"}, {"second"}}), sortedArgs(settled({"first"})));

    ASSERT_TRUE(pressKey(VK_ESCAPE));
    expectEndsWithZero();
}

TEST_F(MenuOnMedium, RefusedCommandShowsItsErrorTextUnderTheMenuTitle) {
    writeMenuFile({"1=Broken|missing.exe||Starts nothing.|Could not start.\\nPlease try again.|1"});
    ASSERT_NO_FATAL_FAILURE(startMenu());
    ASSERT_NO_FATAL_FAILURE(clickEntry(0));

    HWND box = nullptr;
    ASSERT_TRUE(
        waitUntil([&] { return (box = findMessageBoxOf(menu_)) != nullptr; }, kEndTimeoutMs))
        << "no message box";
    EXPECT_EQ(title_, windowText(box));
    char text[256] = {};
    GetDlgItemTextA(box, 0xFFFF, text, sizeof text);  // the box's text control
    EXPECT_STREQ("Could not start.\nPlease try again.", text);

    // The entry's close request waits until the box is closed, so the menu stays on screen
    // behind its box. A request handled early would hide the menu as soon as the box's
    // message loop runs: watch for a moment.
    EXPECT_FALSE(waitUntil([&] { return !IsWindowVisible(menu_); }, 300))
        << "the menu went while its box was open";
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    expectEndsWithZero();
}

// An entry with the close flag ends the program after its launch, whatever came of it.
// A box, had one been shown, would hold the program open until it was closed.
TEST_F(MenuOnMedium, CloseFlagEndsTheProgramAfterTheLaunch) {
    const struct {
        const char* what;
        const char* entry;
        bool records;
    } cases[] = {
        {"started", "1=Record|tools\\record-args.exe|closing|||1", true},
        {"refused, no error text", "1=Broken|missing.exe||||1", false},
        {"no command", "1=Exit|||Closes the menu.||1", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        DeleteFileA(marker().c_str());
        writeMenuFile({c.entry});
        ASSERT_NO_FATAL_FAILURE(startMenu());
        ASSERT_NO_FATAL_FAILURE(clickEntry(0));

        bool boxSeen = false;
        const bool ended = waitUntil(
            [&] {
                boxSeen = boxSeen || findMessageBoxOf(menu_) != nullptr;
                return menuProgram_->waitForExit(0).has_value();
            },
            kEndTimeoutMs);
        EXPECT_FALSE(boxSeen);
        ASSERT_TRUE(ended) << "the program is still running";
        EXPECT_EQ(0u, *menuProgram_->waitForExit(0));
        if (c.records) {
            EXPECT_EQ(ArgLists{{"closing"}}, sortedArgs(settled({"closing"})));
        }
    }
}

TEST_F(MenuOnMedium, AbsoluteCommandRunsAsWritten) {
    // A helper outside the medium, named by its full path and through a variable.
    TempFolder elsewhere;
    const std::string outsideHelper = elsewhere.path() + "record-args.exe";
    ASSERT_TRUE(copyProgram(helper(), outsideHelper));
    const std::string folder = elsewhere.path().substr(0, elsewhere.path().size() - 1);
    ScopedVariable tools("AUTORUN_MENU_TEST_TOOLS", folder);
    writeMenuFile({
        "1=Literal|" + outsideHelper + "|literal|||",
        "2=Expanded|%AUTORUN_MENU_TEST_TOOLS%\\record-args.exe|expanded|||",
    });
    ASSERT_NO_FATAL_FAILURE(startMenu());
    ASSERT_NO_FATAL_FAILURE(bringMenuToFront());

    const std::string outsideMarker = elsewhere.path() + "marker.txt";
    ASSERT_TRUE(pressKey('1'));
    ASSERT_TRUE(pressKey('2'));
    const auto records = recordsWhenSettled(outsideMarker, *menuProgram_, {"expanded"});
    EXPECT_EQ((ArgLists{{"expanded"}, {"literal"}}), sortedArgs(records));
    for (const Record& record : records) EXPECT_PRED2(samePath, outsideHelper, record.program);
    EXPECT_TRUE(readRecords(marker()).empty());
}

TEST_F(MenuOnMedium, SecondCopyEndsAtOnce) {
    writeMenuFile({"1=Record|tools\\record-args.exe|first-copy|||"});
    ASSERT_NO_FATAL_FAILURE(startMenu());

    RunningProgram second(program());
    ASSERT_TRUE(second.started());
    bool windowSeen = false;
    ASSERT_TRUE(waitUntil(
        [&] {
            windowSeen = windowSeen || !visibleWindowsOf(second.id()).empty();
            return second.waitForExit(0).has_value();
        },
        kEndTimeoutMs))
        << "the second copy is still running";
    EXPECT_EQ(0u, *second.waitForExit(0));
    EXPECT_FALSE(windowSeen);

    // The first copy's menu goes on working.
    ASSERT_NO_FATAL_FAILURE(clickEntry(0));
    EXPECT_EQ(ArgLists{{"first-copy"}}, sortedArgs(settled({"first-copy"})));
}

TEST_F(MenuOnMedium, Command1002FromAnotherProgramShowsTheMenuAgain) {
    writeMenuFile({"1=Record|tools\\record-args.exe|shown again|||"});
    ASSERT_NO_FATAL_FAILURE(startMenu());
    const HWND first = menu_;
    PostMessageA(first, WM_COMMAND, 1002, 0);

    ASSERT_TRUE(waitUntil(
        [&] {
            menu_ = findMenuWindow(menuProgram_->id(), title_);
            return menu_ != nullptr && menu_ != first && !IsWindow(first);
        },
        kStartTimeoutMs))
        << "the menu was not shown again";
    WaitForInputIdle(menuProgram_->process(), kStartTimeoutMs);
    EXPECT_EQ(1u, visibleWindowsOf(menuProgram_->id()).size());

    // The same entries, working as before.
    ASSERT_NO_FATAL_FAILURE(clickEntry(0));
    EXPECT_EQ((ArgLists{{"shown", "again"}}), sortedArgs(settled({"shown", "again"})));

    ASSERT_NO_FATAL_FAILURE(bringMenuToFront());
    ASSERT_TRUE(pressKey(VK_ESCAPE));
    expectEndsWithZero();
}

}  // namespace
