// The editor's preview: the menu's own painting of a file as one language's systems read
// it, read back from a memory canvas.
#include <windows.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <string>
#include <vector>

#include "brand/picture/menu_frame.h"
#include "built_program.h"
#include "checker/contrast.h"
#include "checker/menu_program.h"
#include "checker/utf16_text.h"
#include "console/console_text.h"
#include "editor/preview/menu_preview.h"
#include "window/layout.h"

namespace {

constexpr int kWidth = menuWidth;
constexpr int kHeight = menuHeight;

using Frame = std::vector<std::uint32_t>;  // the DIB's 0x00RRGGBB, rows from the top

Frame frameOf(const MenuPreview& preview) {
    BITMAPINFO info = {};
    info.bmiHeader = {sizeof info.bmiHeader, kWidth, -kHeight, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ kept = SelectObject(dc, bitmap);
    preview.paint(dc, 0, 0);
    GdiFlush();
    const auto* pixels = static_cast<const std::uint32_t*>(bits);
    Frame frame(pixels, pixels + kWidth * kHeight);
    SelectObject(dc, kept);
    DeleteObject(bitmap);
    DeleteDC(dc);
    return frame;
}

// How many pixels differ inside `area`, or outside every one of `areas`.
int differing(const Frame& a, const Frame& b, const RECT& area) {
    int count = 0;
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x)
            count += a[y * kWidth + x] != b[y * kWidth + x];
    return count;
}
int differingOutside(const Frame& a, const Frame& b, std::initializer_list<RECT> areas) {
    int count = 0;
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            bool within = false;
            for (const RECT& r : areas)
                within = within || (x >= r.left && x < r.right && y >= r.top && y < r.bottom);
            count += !within && a[y * kWidth + x] != b[y * kWidth + x];
        }
    }
    return count;
}

Picture solidPicture(std::uint32_t colour, int width = kWidth, int height = kHeight) {
    Picture picture;
    picture.width = width;
    picture.height = height;
    picture.pixels.assign(static_cast<std::size_t>(width) * height, colour);
    return picture;
}

std::string utf16File(const std::string& utf8) { return utf16Text(utf8, false, "\xFF\xFE"); }

std::string inCodePage(const std::string& utf8, unsigned codePage) {
    const std::wstring wide = wideFromCodePage(utf8, CP_UTF8);
    std::string bytes(wide.size() * 2, '\0');
    bytes.resize(static_cast<std::size_t>(
        WideCharToMultiByte(codePage, 0, wide.data(), static_cast<int>(wide.size()), &bytes[0],
                            static_cast<int>(bytes.size()), nullptr, nullptr)));
    return bytes;
}

// Section [0] with a prompt and five entries of these captions, each with a comment.
std::string entriesFile(const std::vector<std::string>& captions) {
    std::string file = "[View]\r\nFontSize=16\r\n[0]\r\nTitle=Preview\r\nPrompt=Pick one.\r\n";
    for (std::size_t i = 0; i < captions.size(); ++i)
        file += std::to_string(i + 1) + "=" + captions[i] + "|setup.exe||Comment " +
                std::to_string(i + 1) + ".||\r\n";
    return file;
}
const std::vector<std::string> kCaptions = {"Install", "Read me", "Browse", "Web site", "Exit"};

class Preview : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(preview.usePicture(solidPicture(0xE0E0E0))); }
    MenuPreview preview;
};

TEST_F(Preview, ChangingOneCaptionChangesOnlyItsPlace) {
    std::strcpy(launcherState.menuFilePath, "E:\\autorun.inf");
    for (const bool utf16 : {false, true}) {
        for (int slot = 0; slot < kMenuItemSlots; ++slot) {
            std::vector<std::string> changed = kCaptions;
            changed[slot] += " now";
            const std::string before = entriesFile(kCaptions);
            const std::string after = entriesFile(changed);
            ASSERT_TRUE(preview.show(utf16 ? utf16File(before) : before, 0));
            const Frame first = frameOf(preview);
            ASSERT_TRUE(preview.show(utf16 ? utf16File(after) : after, 0));
            const Frame second = frameOf(preview);
            EXPECT_GT(differing(first, second, itemRect(slot)), 0) << slot << " utf16 " << utf16;
            EXPECT_EQ(0, differingOutside(first, second, {itemRect(slot)})) << slot;
        }
    }
    // The menu's state as the preview found it.
    EXPECT_STREQ("E:\\autorun.inf", launcherState.menuFilePath);
    EXPECT_EQ(13, launcherState.view.FontSize);
    for (const MenuItem* item : launcherState.menuItems) EXPECT_EQ(nullptr, item);
    launcherState = LauncherState{};
}

// Two files that the systems of one language must see drawn alike, frame and lit entry.
struct SameDrawing {
    const char* what;
    std::string file;
    std::string sameAs;
    std::int32_t language;
    std::int32_t inForce;
    std::wstring title;
    std::wstring described;          // part of the description
    std::int32_t sameLanguage = -1;  // the language `sameAs` is shown for, when another
};

TEST_F(Preview, FilesTheSystemsReadAlikeDrawAlike) {
    const std::string texts = "\r\nTitle=Диск\r\n1=Установка|setup.exe||Ставит программу.||\r\n";
    const std::string cyrillic = "[0]\r\nTitle=Disc\r\n[1]" + texts;
    const std::string ukrainian = "[0]\r\nTitle=Disc\r\n[4]" + texts;
    const std::string zero = "[0]\r\nTitle=Zero\r\n1=Zero entry|||Of zero.||\r\n";
    const SameDrawing rows[] = {
        {"a Greek system's code page has no Ж",
         utf16File("[22]\r\nTitle=Τίτλος\r\n1=Ж|||Σχόλιο||\r\n"),
         utf16File("[22]\r\nTitle=Τίτλος\r\n1=?|||Σχόλιο||\r\n"), 22, 22, L"Τίτλος",
         L": section [22]. Title: Τίτλος. Entries: 1. ?."},
        {"a section without a title gives way to [0]",
         zero + "[4]\r\nPrompt=Four\r\n1=Four entry|||Of four.||\r\n", zero, 4, 0, L"Zero",
         L"section [4] has no title, so the menu shows section [0]. Title: Zero."},
        {"an ANSI Cyrillic section reads as its UTF-16 twin", inCodePage(cyrillic, 1251),
         utf16File(cyrillic), 1, 1, L"Диск", L"Entries: 1. Установка."},
        {"Windows takes the UTF-8 mark into the first line, which then opens no section",
         "\xEF\xBB\xBF[0]\r\nTitle=Lost\r\n1=Lost|||Lost.||\r\n", "", 0, 0, L"",
         L"No title. No entries."},
        {"a Ukrainian system draws in its fonts' Cyrillic as a Russian one", utf16File(ukrainian),
         utf16File(cyrillic), 4, 4, L"Диск", L"Ukrainian: section [4]", 1},
    };
    for (const SameDrawing& row : rows) {
        std::vector<Frame> frames[2];
        for (int file = 0; file < 2; ++file) {
            const std::int32_t language =
                file == 1 && row.sameLanguage != -1 ? row.sameLanguage : row.language;
            ASSERT_TRUE(preview.show(file == 0 ? row.file : row.sameAs, language)) << row.what;
            EXPECT_EQ(row.title, preview.title()) << row.what;
            if (file == 0) {
                EXPECT_EQ(row.inForce, preview.sectionInForce()) << row.what;
                EXPECT_NE(std::wstring::npos, preview.description().find(row.described))
                    << row.what << ": " << utf8FromWideText(preview.description());
            }
            for (const int hover : {-1, 0}) {
                preview.setHover(hover);
                frames[file].push_back(frameOf(preview));
            }
            preview.setHover(-1);
        }
        EXPECT_TRUE(frames[0] == frames[1]) << row.what;
    }
}

TEST_F(Preview, HoverLightsTheEntryAndShowsItsCommentAsTheMenuDoes) {
    std::vector<std::string> captions = kCaptions;
    captions[2] = "";  // its place stays empty and is never lit
    ASSERT_TRUE(preview.show(entriesFile(captions), 0));
    const Frame idle = frameOf(preview);
    for (int slot = -1; slot <= kMenuItemSlots; ++slot) {
        preview.setHover(slot);
        const Frame lit = frameOf(preview);
        if (slot < 0 || slot >= kMenuItemSlots || slot == 2) {
            EXPECT_TRUE(lit == idle) << slot;
            continue;
        }
        EXPECT_GT(differing(idle, lit, itemRect(slot)), 0) << slot;
        EXPECT_GT(differing(idle, lit, commentBoxRect()), 0) << slot;
        EXPECT_EQ(0, differingOutside(idle, lit, {itemRect(slot), commentBoxRect()})) << slot;
        // Another show keeps a lit entry that is still shown.
        ASSERT_TRUE(preview.show(entriesFile(captions), 0));
        EXPECT_TRUE(frameOf(preview) == lit) << slot;
    }

    struct Point {
        int x, y, slot;
    };
    const RECT first = itemRect(0);
    const Point points[] = {
        {450, 76, 0},         {450, 111, 1},           {450, 146, -1}, {450, 181, 3}, {589, 216, 4},
        {first.left, 76, -1}, {450, first.bottom, -1}, {450, 330, -1}, {0, 0, -1}};
    for (const Point& p : points) EXPECT_EQ(p.slot, preview.entryAt(p.x, p.y)) << p.x << "," << p.y;
}

// Whether the frame's part left of the entries and the comment box is `picture`.
bool showsPicture(const Frame& frame, const Picture& picture) {
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < commentBoxRect().left; ++x) {
            const std::uint32_t p = picture.pixels[y * kWidth + x];
            if (frame[y * kWidth + x] != ((p & 0xFF) << 16 | (p & 0xFF00) | (p >> 16 & 0xFF)))
                return false;
        }
    }
    return true;
}

TEST_F(Preview, DrawsOverThePictureOfAMenuProgramOrAGivenOne) {
    Picture program;
    std::string reason;
    ASSERT_TRUE(readMenuPicture(builtProgramPath(), program, reason)) << reason;
    const std::wstring programPath = wideFromCodePage(builtProgramPath(), CP_ACP);
    const Picture teal = solidPicture(0x997733);
    const Picture grey = solidPicture(0xE0E0E0);
    ASSERT_TRUE(preview.show(entriesFile(kCaptions), 0));
    ASSERT_TRUE(showsPicture(frameOf(preview), grey));

    // Each step in turn, and the picture the frame shows after it, drawn again at once.
    struct Step {
        const char* what;
        bool taken;
        const Picture& expected;
    };
    const auto step = [&](int n) {
        switch (n) {
            case 0:
                return preview.usePictureOfProgram(programPath);
            case 1:
                return preview.usePictureOfProgram(L"no-such-menu.exe");
            case 2:
                return preview.usePicture(teal);
            case 3:
                return preview.usePicture(solidPicture(0, 10, 10));
            default:
                return preview.usePictureOfModule(GetModuleHandleW(nullptr));
        }
    };
    const Step steps[] = {
        {"the built menu's picture", true, program},
        {"no such program: the picture stays", false, program},
        {"a given picture", true, teal},
        {"a picture of another size: the picture stays", false, teal},
        {"this test program carries none: the picture stays", false, teal},
    };
    for (int n = 0; n < 5; ++n) {
        EXPECT_EQ(steps[n].taken, step(n)) << steps[n].what;
        EXPECT_TRUE(showsPicture(frameOf(preview), steps[n].expected)) << steps[n].what;
    }
}

TEST(PreviewLanguages, EverySectionTheMenuReadsOnceZeroFirst) {
    const std::vector<PreviewLanguage> languages = previewLanguages();
    ASSERT_EQ(24u, languages.size());
    EXPECT_EQ(0, languages.front().index);
    for (std::size_t i = 1; i < languages.size(); ++i) {
        EXPECT_LT(languages[i - 1].index, languages[i].index);
        EXPECT_FALSE(languages[i].name.empty()) << languages[i].index;
    }
    EXPECT_EQ(L"Russian", previewLanguageName(1));
    EXPECT_EQ(L"German (Germany, Switzerland)", previewLanguageName(2));
    EXPECT_TRUE(previewLanguageName(8).empty());

    // A section no language leads to is never drawn.
    MenuPreview preview;
    EXPECT_FALSE(preview.show("[8]\r\nTitle=Eight\r\n", 8));
    EXPECT_EQ(-1, preview.entryAt(450, 76));
}

TEST(PreviewOnMultiByteSystem, TellsWhenThisPcGarblesTheSection) {
    if (GetACP() != 932) GTEST_SKIP() << "the system's ANSI code page is " << GetACP();
    MenuPreview preview;
    const std::string file =
        utf16File("[0]\r\nTitle=Disc\r\n[1]\r\nTitle=Диск\r\n[26]\r\nTitle=日本語\r\n");
    const struct {
        std::int32_t language;
        bool garbled;
    } rows[] = {{0, false}, {1, true}, {26, false}};
    for (const auto& row : rows) {
        ASSERT_TRUE(preview.show(file, row.language));
        EXPECT_EQ(row.garbled, preview.garbledOnThisPc()) << row.language;
    }
    EXPECT_EQ(L"日本語", preview.title());
}

}  // namespace
