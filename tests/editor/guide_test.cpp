// Help (F1): the guide is found beside the editor or, as the release lays it out, in the
// folder above; without one, a message says where the guide is.
#include "editor/run/guide.h"

#include <gtest/gtest.h>

#include <string>

#include "run_test_support.h"
#include "test_files.h"

namespace {

TEST(Guide, IsFoundBesideTheProgramOrInTheFolderAbove) {
    TempFolder release;
    CreateDirectoryA((release.path() + "x86").c_str(), nullptr);
    CreateDirectoryA((release.path() + "x64").c_str(), nullptr);
    CreateDirectoryA((release.path() + "x64\\authors-guide.html").c_str(), nullptr);
    const std::wstring top = wide(release.path());

    EXPECT_EQ(L"", findGuide(top + L"x86\\autorun-menu-edit.exe")) << "none yet";
    release.write("authors-guide.html", "<p>guide</p>");
    EXPECT_EQ(top + L"authors-guide.html", findGuide(top + L"x86\\autorun-menu-edit.exe"));
    EXPECT_EQ(top + L"authors-guide.html", findGuide(top + L"x64\\autorun-menu-edit.exe"))
        << "a folder of that name is no guide";
    writeWholeFile(release.path() + "x86\\authors-guide.html", "<p>beside</p>");
    EXPECT_EQ(top + L"x86\\authors-guide.html", findGuide(top + L"x86\\autorun-menu-edit.exe"));
    EXPECT_EQ(L"", findGuide(L"autorun-menu-edit.exe"));
}

// The text of the first message box this thread shows, which is then closed.
std::wstring boxText;

LRESULT CALLBACK closeMessageBox(int code, WPARAM wParam, LPARAM lParam) {
    HWND box = reinterpret_cast<HWND>(wParam);
    wchar_t type[16] = {};
    if (code == HCBT_ACTIVATE && boxText.empty() && GetClassNameW(box, type, 16) > 0 &&
        wcscmp(type, L"#32770") == 0) {
        wchar_t text[2048] = {};
        GetDlgItemTextW(box, 0xFFFF, text, ARRAYSIZE(text));  // the message's static
        boxText = text;
        PostMessageW(box, WM_COMMAND, IDOK, 0);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// The test program's folders hold no guide.
TEST(Guide, MissingSaysWhereTheGuideIs) {
    HHOOK hook = SetWindowsHookExW(WH_CBT, closeMessageBox, nullptr, GetCurrentThreadId());
    EXPECT_FALSE(openGuide(nullptr));
    UnhookWindowsHookEx(hook);
    EXPECT_NE(std::wstring::npos, boxText.find(L"authors-guide.html lies in the release"))
        << boxText;
    EXPECT_NE(std::wstring::npos, boxText.find(L"docs/authors-guide.md")) << boxText;
}

}  // namespace
