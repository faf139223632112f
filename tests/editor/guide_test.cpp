// Help (F1): the guide is found beside the editor or, as the release lays it out, in the
// folder above; without one, a message says where the guide is.
#include "editor/run/guide.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

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
    EXPECT_EQ(top + L"authors-guide.html", findGuide(top + L"autorun-menu-edit.exe"));
    EXPECT_EQ(L"", findGuide(L"autorun-menu-edit.exe"));
}

// The text of every message box this thread shows while it lives; each is closed at once.
class MessageBoxTexts {
public:
    MessageBoxTexts() {
        current = this;
        hook_ = SetWindowsHookExW(WH_CBT, hook, nullptr, GetCurrentThreadId());
    }
    ~MessageBoxTexts() {
        UnhookWindowsHookEx(hook_);
        current = nullptr;
    }
    MessageBoxTexts(const MessageBoxTexts&) = delete;
    MessageBoxTexts& operator=(const MessageBoxTexts&) = delete;

    std::vector<std::wstring> texts;

private:
    static LRESULT CALLBACK hook(int code, WPARAM wParam, LPARAM lParam) {
        HWND box = reinterpret_cast<HWND>(wParam);
        wchar_t type[16] = {};
        if (code == HCBT_ACTIVATE && current != nullptr && box != current->last_ &&
            GetClassNameW(box, type, ARRAYSIZE(type)) > 0 && wcscmp(type, L"#32770") == 0) {
            // A box may be activated more than once before it closes.
            current->last_ = box;
            wchar_t text[2048] = {};
            GetDlgItemTextW(box, 0xFFFF, text, ARRAYSIZE(text));  // the message's static
            current->texts.push_back(text);
            PostMessageW(box, WM_COMMAND, IDOK, 0);
        }
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }
    static MessageBoxTexts* current;
    HHOOK hook_;
    HWND last_ = nullptr;
};
MessageBoxTexts* MessageBoxTexts::current = nullptr;

// The test program's folders hold no guide.
TEST(Guide, MissingSaysWhereTheGuideIs) {
    MessageBoxTexts boxes;
    EXPECT_FALSE(openGuide(nullptr));
    ASSERT_EQ(1u, boxes.texts.size());
    const std::wstring& text = boxes.texts[0];
    EXPECT_NE(std::wstring::npos, text.find(L"authors-guide.html lies in the release")) << text;
    EXPECT_NE(std::wstring::npos, text.find(L"docs/authors-guide.md")) << text;
}

}  // namespace
