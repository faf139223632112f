// The editor's Brand panel on copies of the built menu: the preview is the picture the saved
// program carries, a save replaces the program whole or not at all, and the panel driven
// through its controls as an author drives it.
#include "editor/brand_panel/brand_panel.h"

#include <windows.h>
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "branded_files.h"
#include "built_program.h"
#include "checker/menu_program.h"
#include "editor/brand_panel/brand_preview.h"
#include "editor/brand_panel/brand_save.h"
#include "test_files.h"

namespace {

std::wstring wide(const std::string& text) {
    std::wstring result(text.size(), L'\0');
    const int length = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()),
                                           &result[0], static_cast<int>(result.size()));
    result.resize(length > 0 ? static_cast<std::size_t>(length) : 0);
    return result;
}

std::string narrow(const std::wstring& text) { return std::string(text.begin(), text.end()); }

std::wstring image(const std::string& name) {
    char full[MAX_PATH];
    const std::string path = testProgramFolder() + AUTORUN_MENU_BRAND_IMAGES + "\\" + name;
    const DWORD length = GetFullPathNameA(path.c_str(), sizeof full, full, nullptr);
    return wide(std::string(full, length));
}

// A medium folder: a menu file and, beside it, a copy of the built menu (or of `bytes`).
struct Medium {
    // Not start.exe: Wine answers version queries for that name from its own program.
    explicit Medium(const std::string& content = readWholeFile(builtProgramPath()))
        : bytes(content) {
        folder.write("autorun.inf", "[0]\r\nTitle=Brand\r\n");
        program = folder.write("menu.exe", bytes);
    }
    // True when the program and the folder's files are as they were made.
    bool unchanged() const {
        return readWholeFile(program) == bytes &&
               filesIn(folder.path()) == std::vector<std::string>{"autorun.inf", "menu.exe"};
    }
    TempFolder folder;
    std::string bytes;
    std::string program;
};

// How a failure case leaves the program while it is saved.
enum class Held { no, open, readOnly };

BrandChoices pictureOnly(const std::wstring& picture) {
    BrandChoices choices;
    choices.picture = picture;
    return choices;
}

BrandChoices named(const std::wstring& company = L"Example Ltd") {
    BrandChoices choices;
    choices.company = company;
    return choices;
}

}  // namespace

// The preview's pixels are those the saved program then shows, cropped or letterboxed.
TEST(BrandPreview, IsThePictureTheSavedProgramCarries) {
    const struct {
        const char* picture;
        bool fit;
    } cases[] = {{"two-halves.png", false}, {"two-halves.jpg", true}, {"square.png", true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.picture);
        Medium medium;
        Picture preview;
        std::wstring error;
        ASSERT_TRUE(brandPicturePreview(image(c.picture), c.fit, kBrandBarColour, preview, error))
            << narrow(error);
        ASSERT_EQ(600u * 397u, preview.pixels.size());
        // A square shown whole stands between white bars.
        if (c.picture == std::string("square.png")) {
            EXPECT_EQ(0xFFFFFFu, preview.pixels[0]);
        }

        BrandChoices choices = pictureOnly(image(c.picture));
        choices.fit = c.fit;
        const BrandSaveResult saved = saveBrandedProgram(wide(medium.program), choices);
        ASSERT_TRUE(saved.saved) << narrow(saved.error);
        Picture carried;
        std::string reason;
        ASSERT_TRUE(readMenuPicture(medium.program, carried, reason)) << reason;
        EXPECT_TRUE(preview.pixels == carried.pixels) << "the preview differs from the program";
    }
}

// The program beside the menu file is replaced: its names and icon read back, nothing else
// is left in the folder, and the panel's fields would now start with the new names.
TEST(BrandSave, ReplacesTheProgramBesideTheMenuFile) {
    Medium medium;
    BrandChoices choices;
    choices.icon = image("square.png");
    choices.company = L"Example Ltd";
    choices.product = L"Example Disc";
    choices.description = L"Example's start-up menu";
    choices.copyright = L"(c) 2026 Example Ltd";
    const BrandSaveResult saved = saveBrandedProgram(wide(medium.program), choices);
    ASSERT_TRUE(saved.saved) << narrow(saved.error);
    EXPECT_TRUE(saved.notes.empty());
    EXPECT_EQ("Example Ltd", versionText(medium.program, "CompanyName"));
    EXPECT_EQ("Example Disc", versionText(medium.program, "ProductName"));
    EXPECT_EQ("Example's start-up menu", versionText(medium.program, "FileDescription"));
    EXPECT_EQ("(c) 2026 Example Ltd", versionText(medium.program, "LegalCopyright"));
    EXPECT_EQ((std::vector<std::string>{"autorun.inf", "menu.exe"}), filesIn(medium.folder.path()));

    BrandNames names;
    std::wstring error;
    ASSERT_TRUE(readBrandNames(wide(medium.program), names, error));
    EXPECT_EQ(L"Example Disc", names.product);
}

// Every failure names its cause (in the author's words, not the brand tool's options) and
// leaves the program's bytes as they were and no temporary file: bad input found before
// anything is written, and a program the branded copy cannot replace once it is written.
TEST(BrandSave, FailureLeavesTheProgramAsItWas) {
    Medium scratch;
    const std::wstring notAPicture = wide(scratch.folder.write("notes.png", "Not a picture.\r\n"));
    const struct {
        const char* what;
        BrandChoices choices;
        Held program;
        std::wstring says;
    } cases[] = {
        {"a picture that is not one", pictureOnly(notAPicture), Held::no,
         L"notes.png: not a picture"},
        {"a truncated picture", pictureOnly(image("cut-short.png")), Held::no, L"cannot be read"},
        {"a program in use", named(), Held::open, L"cannot take its place"},
        {"a read-only program", named(), Held::readOnly, L"is read-only"},
        {"nothing to change", BrandChoices(), Held::no, L"Nothing to change"},
        {"an empty name", named(L""), Held::no, L"Company cannot be empty"},
        {"a name too long", named(std::wstring(256, L'x')), Held::no,
         L"Company is 256 characters long"},
        // No one ANSI code page holds Polish, Russian and Chinese letters together.
        {"letters of other code pages", named(L"\u0105\u0436\u4E2D"), Held::no,
         L"Company has characters"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        if (GetACP() == CP_UTF8 && c.says == L"Company has characters") continue;
        Medium medium;
        HANDLE open = INVALID_HANDLE_VALUE;
        if (c.program == Held::open) {
            // Read as the running menu's file is: shared for reading, never for deleting.
            open = CreateFileA(medium.program.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                               OPEN_EXISTING, 0, nullptr);
            ASSERT_NE(INVALID_HANDLE_VALUE, open);
        }
        if (c.program == Held::readOnly)
            SetFileAttributesA(medium.program.c_str(), FILE_ATTRIBUTE_READONLY);
        const BrandSaveResult saved = saveBrandedProgram(wide(medium.program), c.choices);
        if (open != INVALID_HANDLE_VALUE) CloseHandle(open);
        SetFileAttributesA(medium.program.c_str(), FILE_ATTRIBUTE_NORMAL);
        EXPECT_FALSE(saved.saved);
        EXPECT_NE(std::wstring::npos, saved.error.find(c.says)) << narrow(saved.error);
        EXPECT_TRUE(medium.unchanged());
    }
}

TEST(BrandSave, SignedProgramIsToBeSignedAgain) {
    Medium medium(signedCopy(readWholeFile(builtProgramPath())));
    const BrandSaveResult saved = saveBrandedProgram(wide(medium.program), named());
    ASSERT_TRUE(saved.saved) << narrow(saved.error);
    EXPECT_EQ(std::vector<std::wstring>{kSignatureNote}, saved.notes);
}

namespace {

struct WindowSearch {
    bool messageBox;
    HWND found;
};

BOOL CALLBACK findPanelWindow(HWND window, LPARAM parameter) {
    auto& search = *reinterpret_cast<WindowSearch*>(parameter);
    wchar_t title[64] = {};
    GetWindowTextW(window, title, 64);
    if (!IsWindowVisible(window) || std::wstring(title) != kBrandPanelTitle) return TRUE;
    if ((GetDlgItem(window, kBrandPicture) == nullptr) != search.messageBox) return TRUE;
    search.found = window;
    return FALSE;
}

// The panel's window, or its message box (a dialog of the same title without its fields);
// null when not open.
HWND openWindow(bool messageBox) {
    WindowSearch search = {messageBox, nullptr};
    EnumThreadWindows(GetCurrentThreadId(), findPanelWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::wstring textOf(HWND window, int id) {
    wchar_t text[1024] = {};
    GetDlgItemTextW(window, id, text, 1024);
    return text;
}

// An author at the panel: steps taken one per timer tick while the panel runs its modal
// loop. A step returns false to be tried again at the next tick (a window not yet open).
// After 30 s everything open is closed, so a test fails rather than hangs.
class Author {
public:
    using Step = std::function<bool()>;
    explicit Author(std::vector<Step> steps) : steps_(std::move(steps)) {
        current_ = this;
        timer_ = SetTimer(nullptr, 0, 50, tick);
    }
    ~Author() {
        KillTimer(nullptr, timer_);
        current_ = nullptr;
    }
    bool finished() const { return next_ == steps_.size(); }

private:
    static void CALLBACK tick(HWND, UINT, UINT_PTR, DWORD) {
        Author* author = current_;
        if (author == nullptr || author->busy_) return;
        author->busy_ = true;
        if (++author->ticks_ > 600) {
            if (HWND box = openWindow(true)) PostMessageW(box, WM_COMMAND, IDOK, 0);
            if (HWND panel = openWindow(false)) PostMessageW(panel, WM_COMMAND, IDCANCEL, 0);
        } else if (!author->finished() && author->steps_[author->next_]()) {
            ++author->next_;
        }
        author->busy_ = false;
    }
    static Author* current_;
    std::vector<Step> steps_;
    std::size_t next_ = 0;
    unsigned ticks_ = 0;
    bool busy_ = false;
    UINT_PTR timer_ = 0;
};
Author* Author::current_ = nullptr;

// Types `text` into the field `id` and, with `moveOn`, moves on to the next as Tab does.
void typeInto(HWND panel, int id, const std::wstring& text, bool moveOn = true) {
    HWND field = GetDlgItem(panel, id);
    SendMessageW(panel, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(field), TRUE);
    SetWindowTextW(field, text.c_str());
    if (moveOn) SendMessageW(panel, WM_NEXTDLGCTL, 0, FALSE);
}

void click(HWND panel, int id) {
    PostMessageW(panel, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(panel, id)));
}

// What the panel gave the editor's preview: whether each call had a picture, and the last.
struct PreviewCalls {
    std::vector<bool> shown;
    Picture last;
    std::function<void(const Picture*)> callback() {
        return [this](const Picture* picture) {
            shown.push_back(picture != nullptr);
            if (picture != nullptr) last = *picture;
        };
    }
};

// Reads the message box's text into `said` and closes it.
Author::Step answerMessageBox(std::wstring& said) {
    return [&said] {
        HWND box = openWindow(true);
        if (box == nullptr) return false;
        said = textOf(box, 0xFFFF);  // a message box's text
        PostMessageW(box, WM_COMMAND, IDOK, 0);
        return true;
    };
}

}  // namespace

// Choosing a picture previews it at once; Save writes the program and says so; the panel
// starts with the program's names, keeps its controls apart inside it and is worked in
// the order the author reads it.
TEST(BrandPanel, PreviewsAndSaves) {
    Medium medium;
    PreviewCalls preview;
    std::wstring company;
    std::vector<int> order;
    bool overlaps = false;
    std::wstring said;
    Author author({
        [&] {
            HWND panel = openWindow(false);
            if (panel == nullptr) return false;
            company = textOf(panel, kBrandCompany);
            for (HWND at = GetDlgItem(panel, kBrandPicture);
                 at != nullptr && order.size() < 20 &&
                 (order.empty() || at != GetDlgItem(panel, kBrandPicture));
                 at = GetNextDlgTabItem(panel, at, FALSE))
                order.push_back(GetDlgCtrlID(at));
            RECT client;
            GetClientRect(panel, &client);
            std::vector<RECT> places;
            for (HWND c = GetWindow(panel, GW_CHILD); c != nullptr; c = GetWindow(c, GW_HWNDNEXT)) {
                RECT r;
                GetWindowRect(c, &r);
                MapWindowPoints(nullptr, panel, reinterpret_cast<POINT*>(&r), 2);
                RECT inside;
                overlaps =
                    overlaps || !IntersectRect(&inside, &r, &client) || !EqualRect(&inside, &r);
                for (const RECT& other : places)
                    overlaps = overlaps || IntersectRect(&inside, &r, &other);
                places.push_back(r);
            }
            typeInto(panel, kBrandPicture, image("two-halves.png"));
            return true;
        },
        [&] {
            HWND panel = openWindow(false);
            typeInto(panel, kBrandCompany, L"Example Ltd");
            click(panel, IDOK);
            return true;
        },
        answerMessageBox(said),
    });
    showBrandPanel(nullptr, wide(medium.program), preview.callback());
    EXPECT_TRUE(author.finished());
    EXPECT_EQ(wide(versionText(builtProgramPath(), "CompanyName")), company);
    EXPECT_EQ((std::vector<int>{kBrandPicture, kBrandPictureBrowse, kBrandFit, kBrandIcon,
                                kBrandIconBrowse, kBrandCompany, kBrandProduct, kBrandDescription,
                                kBrandCopyright, IDOK, IDCANCEL}),
              order);
    EXPECT_FALSE(overlaps) << "a control outside the panel or over another";
    EXPECT_EQ(std::vector<bool>{true}, preview.shown);
    EXPECT_EQ(0u, said.find(L"The menu program " + wide(medium.program) + L" is branded."));
    EXPECT_EQ("Example Ltd", versionText(medium.program, "CompanyName"));
    Picture carried;
    std::string reason;
    ASSERT_TRUE(readMenuPicture(medium.program, carried, reason)) << reason;
    EXPECT_TRUE(preview.last.pixels == carried.pixels);
}

// A save that fails says why in a message box and keeps the panel open with every entry;
// showing the picture whole previews again; Cancel puts the editor's picture back for good
// and leaves the program as it was.
TEST(BrandPanel, KeepsTheEntriesWhenSaveFailsAndCancelPutsThePreviewBack) {
    Medium medium;
    TempFolder files;
    const std::wstring badIcon = wide(files.write("logo.ico", "Not an icon.\r\n"));
    PreviewCalls preview;
    std::wstring said;
    std::wstring keptIcon;
    std::wstring keptCompany;
    Author author({
        [&] {
            HWND panel = openWindow(false);
            if (panel == nullptr) return false;
            typeInto(panel, kBrandPicture, image("square.png"));
            SendMessageW(GetDlgItem(panel, kBrandFit), BM_CLICK, 0, 0);
            typeInto(panel, kBrandIcon, badIcon);
            typeInto(panel, kBrandCompany, L"Example Ltd");
            click(panel, IDOK);
            return true;
        },
        answerMessageBox(said),
        [&] {
            HWND panel = openWindow(false);
            if (panel == nullptr || openWindow(true) != nullptr) return false;
            keptIcon = textOf(panel, kBrandIcon);
            keptCompany = textOf(panel, kBrandCompany);
            // Another picture typed, and Esc pressed before moving on: it is never shown.
            typeInto(panel, kBrandPicture, image("two-halves.png"), false);
            click(panel, IDCANCEL);
            return true;
        },
    });
    showBrandPanel(nullptr, wide(medium.program), preview.callback());
    EXPECT_TRUE(author.finished());
    EXPECT_NE(std::wstring::npos, said.find(L"not an icon")) << narrow(said);
    EXPECT_EQ(badIcon, keptIcon);
    EXPECT_EQ(L"Example Ltd", keptCompany);
    EXPECT_EQ((std::vector<bool>{true, true, false}), preview.shown);
    EXPECT_EQ(0xFFFFFFu, preview.last.pixels.at(0)) << "the whole square between white bars";
    EXPECT_TRUE(medium.unchanged());
}
