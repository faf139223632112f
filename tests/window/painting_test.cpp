// Painting into a memory canvas: the picture under everything, the entries as text at their
// places, the comment box and its text.
#include <windows.h>
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "config/menu_item.h"
#include "menu_window.h"
#include "state/launcher_state.h"
#include "window/menu_dialog.h"

namespace {

using Painting = MenuWindowTest;

// The four parts of the picture around the comment box, which painting never changes
// except through the entries.
constexpr RECT kAroundTheBox[] = {
    {0, 0, 600, 270}, {0, 270, 300, 397}, {599, 270, 600, 397}, {300, 396, 600, 397}};

// `text` as the platform draws it at the text origin of `slot`, clipped to the slot's place.
void drawExpectedText(HDC dc, int slot, const char* text) {
    const RECT place = entryPlace(slot);
    SetBkMode(dc, TRANSPARENT);
    SelectObject(dc, launcherState.itemFont);
    SetTextColor(dc, colourOf(kNormalColourIndex));
    ExtTextOutA(dc, place.left + 8, place.top + 8, ETO_CLIPPED, &place, text,
                static_cast<UINT>(std::strlen(text)), nullptr);
}

// A copy of a text in a read-only page. A write into it is recorded, and the page is then
// made writable so that the writer carries on.
class ReadOnlyText {
public:
    explicit ReadOnlyText(const char* text) : size_(std::strlen(text) + 1) {
        page_ = static_cast<char*>(
            VirtualAlloc(nullptr, size_, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
        std::memcpy(page_, text, size_);
        DWORD old;
        VirtualProtect(page_, size_, PAGE_READONLY, &old);
        current_ = this;
        handler_ = AddVectoredExceptionHandler(1, onFault);
    }
    ~ReadOnlyText() {
        RemoveVectoredExceptionHandler(handler_);
        current_ = nullptr;
        VirtualFree(page_, 0, MEM_RELEASE);
    }
    ReadOnlyText(const ReadOnlyText&) = delete;
    ReadOnlyText& operator=(const ReadOnlyText&) = delete;

    char* text() const { return page_; }
    bool written() const { return written_; }

private:
    static LONG CALLBACK onFault(EXCEPTION_POINTERS* fault) {
        const EXCEPTION_RECORD* record = fault->ExceptionRecord;
        ReadOnlyText* self = current_;
        if (self == nullptr || record->ExceptionCode != EXCEPTION_ACCESS_VIOLATION ||
            record->NumberParameters < 2 || record->ExceptionInformation[0] != 1) {
            return EXCEPTION_CONTINUE_SEARCH;
        }
        const ULONG_PTR address = record->ExceptionInformation[1];
        const auto first = reinterpret_cast<ULONG_PTR>(self->page_);
        if (address < first || address >= first + self->size_) return EXCEPTION_CONTINUE_SEARCH;
        self->written_ = true;
        DWORD old;
        VirtualProtect(self->page_, self->size_, PAGE_READWRITE, &old);
        return EXCEPTION_CONTINUE_EXECUTION;
    }

    static ReadOnlyText* current_;
    std::size_t size_;
    char* page_ = nullptr;
    void* handler_ = nullptr;
    bool written_ = false;
};
ReadOnlyText* ReadOnlyText::current_ = nullptr;

TEST_F(Painting, EntriesAreTheirNumberedCaptionsOverThePicture) {
    const std::string tooLong(80, 'W');
    struct Case {
        const char* name;
        int showNumbers;
        const char* captions[5];
        const char* drawn[5];  // null: nothing drawn in that slot
    } const cases[] = {
        {"numbered",
         1,
         {"Install", "Read me", "", "Browse", "Quit"},
         {"1.  Install", "2.  Read me", nullptr, "4.  Browse", "5.  Quit"}},
        {"not numbered",
         0,
         {"Install", "Read me", "", "Browse", "Quit"},
         {"Install", "Read me", nullptr, "Browse", "Quit"}},
        // Numbers belong to the slots, not to the entries shown.
        {"first slot empty",
         1,
         {"", "Second", "Third", "", ""},
         {nullptr, "2.  Second", "3.  Third", nullptr, nullptr}},
        // Every character is a glyph: an ampersand marks no prefix.
        {"ampersands",
         1,
         {"Tom & Jerry", "A&&B", "&x", "", ""},
         {"1.  Tom & Jerry", "2.  A&&B", "3.  &x", nullptr, nullptr}},
        {"too long",
         0,
         {"", "", "", "", tooLong.c_str()},
         {nullptr, nullptr, nullptr, nullptr, tooLong.c_str()}},
    };
    HWND window = createMenu();
    ASSERT_NE(nullptr, window);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        launcherState.view.ShowNumbers = c.showNumbers;
        for (int slot = 0; slot < 5; ++slot)
            launcherState.menuItems[slot] = entry(c.captions[slot]);

        Canvas painted;
        paintMenu(window, painted.dc());
        Canvas expected;
        expected.drawPicture();
        for (int slot = 0; slot < 5; ++slot) {
            if (c.drawn[slot] != nullptr) drawExpectedText(expected.dc(), slot, c.drawn[slot]);
        }
        for (const RECT& part : kAroundTheBox) EXPECT_EQ(0, painted.countDifferent(expected, part));
    }
}

TEST_F(Painting, LongCaptionIsCutAtTheRightEdgeOfItsPlace) {
    launcherState.menuItems[0] = entry(std::string(80, 'W').c_str());
    Canvas picture;
    picture.drawPicture();
    Canvas drawn;
    drawn.drawPicture();
    drawMenuItem(drawn.dc(), 0, 0);

    const RECT ink = drawn.changedBounds(picture, kWholePicture);
    EXPECT_GE(ink.left, 310);
    EXPECT_LE(ink.right, 589);  // x 590 and beyond keep the picture
    EXPECT_GE(ink.right, 580);  // the text did reach the edge
    EXPECT_GE(ink.top, 60);
    EXPECT_LE(ink.bottom, 91);
}

TEST_F(Painting, EntryColourFollowsTheActiveFlag) {
    const RECT place = entryPlace(0);
    Canvas picture;
    picture.drawPicture();
    ASSERT_EQ(0, picture.countNear(place, colourOf(kNormalColourIndex)));
    ASSERT_EQ(0, picture.countNear(place, colourOf(kActiveColourIndex)));

    for (int active : {0, 1, 7}) {
        SCOPED_TRACE(active);
        Canvas drawn;
        drawn.drawPicture();
        drawMenuItem(drawn.dc(), 0, active);
        const int normal = drawn.countNear(place, colourOf(kNormalColourIndex));
        const int lit = drawn.countNear(place, colourOf(kActiveColourIndex));
        EXPECT_EQ(active != 0, lit > 0) << lit;
        EXPECT_EQ(active == 0, normal > 0) << normal;
        EXPECT_EQ(0, active != 0 ? normal : lit);
    }
}

TEST_F(Painting, EmptyEntryDrawsNothing) {
    launcherState.menuItems[2] = entry("", "", "a comment");
    Canvas picture;
    picture.drawPicture();
    for (int active : {0, 1}) {
        Canvas drawn;
        drawn.drawPicture();
        drawMenuItem(drawn.dc(), 2, active);
        EXPECT_EQ(0, drawn.countDifferent(picture, kWholePicture)) << active;
    }
}

TEST_F(Painting, CommentBoxFillsItsRectangleAndKeepsItsMargins) {
    Canvas picture;
    picture.drawPicture();
    Canvas drawn;
    drawn.drawPicture();
    drawCommentBox(drawn.dc(), -1);

    const COLORREF fill = colourOf(kCommentBackgroundIndex);
    // The fill covers columns 300 to 598 and rows 270 to 395.
    struct Pixel {
        int x, y;
        bool filled;
    } const pixels[] = {
        {300, 270, true},  {598, 270, true},  {300, 395, true},  {598, 395, true},
        {599, 270, false}, {599, 395, false}, {300, 396, false}, {598, 396, false},
        {299, 300, false}, {450, 269, false},
    };
    for (const Pixel& p : pixels) {
        SCOPED_TRACE(testing::Message() << p.x << ", " << p.y);
        EXPECT_EQ(p.filled ? fill : picture.at(p.x, p.y), drawn.at(p.x, p.y));
    }
    for (const RECT& part : kAroundTheBox) EXPECT_EQ(0, drawn.countDifferent(picture, part));

    // The text stays 10 pixels inside the box.
    constexpr RECT margins[] = {
        {300, 270, 599, 280}, {300, 386, 599, 396}, {300, 280, 310, 386}, {589, 280, 599, 386}};
    for (const RECT& margin : margins) EXPECT_EQ(0, drawn.countOther(margin, fill));
    EXPECT_GT(drawn.countNear(kCommentText, colourOf(kCommentColourIndex)), 0);
}

TEST_F(Painting, EntryCommentIsDrawnAsThePromptWouldBe) {
    Canvas prompt;
    drawCommentBox(prompt.dc(), -1);
    Canvas comment;
    drawCommentBox(comment.dc(), 1);
    EXPECT_GT(comment.countDifferent(prompt, kCommentText), 0);

    std::strcpy(launcherState.menuPrompt, launcherState.menuItems[1]->comment);
    Canvas sameText;
    drawCommentBox(sameText.dc(), -1);
    EXPECT_EQ(0, comment.countDifferent(sameText, kWholePicture));
}

TEST_F(Painting, TextTallerThanTheBoxStaysInsideIt) {
    std::string words;
    while (words.size() < 900) words += "many words ";
    std::strcpy(launcherState.menuPrompt, words.c_str());
    Canvas drawn;
    drawCommentBox(drawn.dc(), -1);
    // Text reaches the lower part of the box and nothing passes the text rectangle.
    EXPECT_GT(drawn.countNear({310, 340, 589, 386}, colourOf(kCommentColourIndex)), 0);
    EXPECT_EQ(0, drawn.countOther({300, 386, 599, 396}, colourOf(kCommentBackgroundIndex)));
}

TEST_F(Painting, DrawingNeverWritesIntoTheStoredTexts) {
    // The platform may write the text back into the buffer it draws from (it does under
    // Wine, byte for byte the same): the stored texts must never be that buffer.
    std::string comment = "First line of a comment\\nwith &several lines && ";
    while (comment.size() < 1000) comment += "words enough to be broken over and over again ";
    launcherState.menuItems[3] = entry("Browse", "", comment.c_str());
    ReadOnlyText stored(launcherState.menuItems[3]->comment);
    launcherState.menuItems[3]->comment = stored.text();

    std::string prompt;
    while (prompt.size() < 1023) prompt += "A&B word\tword ";
    prompt.resize(1023);
    std::memset(launcherState.menuPrompt, 0, sizeof launcherState.menuPrompt);
    std::memcpy(launcherState.menuPrompt, prompt.data(), prompt.size());
    char promptBefore[sizeof launcherState.menuPrompt];
    std::memcpy(promptBefore, launcherState.menuPrompt, sizeof promptBefore);

    Canvas canvas;
    drawCommentBox(canvas.dc(), 3);
    drawCommentBox(canvas.dc(), -1);
    EXPECT_GT(canvas.countNear(kCommentText, colourOf(kCommentColourIndex)), 0);

    EXPECT_FALSE(stored.written());
    EXPECT_EQ(0, std::memcmp(promptBefore, launcherState.menuPrompt, sizeof promptBefore));
}

}  // namespace
