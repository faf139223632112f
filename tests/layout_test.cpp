// Where the entries and the comment box lie, and which entry a point hits.
#include "window/layout.h"

#include <gtest/gtest.h>

#include "config/menu_item.h"
#include "state/launcher_state.h"

namespace {

class HitTest : public ::testing::Test {
protected:
    MenuItem full{"Entry", "cmd", "", "", "", false};
    MenuItem blank{"", "cmd", "", "", "", false};

    void SetUp() override {
        for (MenuItem*& slot : launcherState.menuItems) slot = &full;
        launcherState.itemCount = 5;
    }
    void TearDown() override {
        for (MenuItem*& slot : launcherState.menuItems) slot = nullptr;
        launcherState.itemCount = 0;
    }
};

TEST_F(HitTest, PointsOnThePicture) {
    launcherState.menuItems[2] = &blank;  // slot 2: rows 131 to 161 hit nothing
    struct Case {
        std::int32_t x, y, slot;
    } const cases[] = {
        {311, 61, 0},
        {589, 91, 0},
        {400, 96, 1},
        {400, 231, 4},
        {400, 201, 4},
        // The edges belong to no entry.
        {310, 61, -1},
        {590, 61, -1},
        {400, 60, -1},
        {400, 92, -1},
        {400, 232, -1},
        // The rows between entries.
        {400, 93, -1},
        {400, 94, -1},
        {400, 95, -1},
        {400, 127, -1},
        {400, 130, -1},
        {400, 162, -1},
        {400, 165, -1},
        {400, 197, -1},
        {400, 200, -1},
        // An empty entry is bare picture.
        {400, 131, -1},
        {400, 150, -1},
        {400, 161, -1},
        {400, 166, 3},
        // The comment box, the left half, the far corners of a 16-bit position.
        {450, 330, -1},
        {100, 100, -1},
        {65535, 61, -1},
        {400, 65535, -1},
        {0, 0, -1},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.slot, itemFromPoint(c.x, c.y)) << c.x << "," << c.y;
    }
}

TEST_F(HitTest, NoEntriesNoHits) {
    for (std::int32_t count : {0, -1}) {
        launcherState.itemCount = count;
        EXPECT_EQ(-1, itemFromPoint(400, 70));
    }
    launcherState.itemCount = 2;  // only the first two slots are visited
    EXPECT_EQ(1, itemFromPoint(400, 100));
    EXPECT_EQ(-1, itemFromPoint(400, 140));
}

TEST(Layout, RectanglesOfTheEntriesAndTheCommentBox) {
    for (std::int32_t i = 0; i < 5; ++i) {
        const RECT r = itemRect(i);
        EXPECT_EQ(310, r.left);
        EXPECT_EQ(60 + 35 * i, r.top);
        EXPECT_EQ(590, r.right);
        EXPECT_EQ(92 + 35 * i, r.bottom);
    }
    const RECT box = commentBoxRect();
    EXPECT_EQ(300, box.left);
    EXPECT_EQ(270, box.top);
    EXPECT_EQ(599, box.right);
    EXPECT_EQ(396, box.bottom);
    const RECT text = commentTextRect();
    EXPECT_EQ(310, text.left);
    EXPECT_EQ(280, text.top);
    EXPECT_EQ(589, text.right);
    EXPECT_EQ(386, text.bottom);

    // Captions draw from 8 pixels into their place: 272 x 24 pixels of room, and all five
    // within {318, 68, 590, 232}.
    EXPECT_EQ(272, kCaptionRoomWidth);
    EXPECT_EQ(24, kCaptionRoomHeight);
    EXPECT_EQ(318, kCaptionsArea.left);
    EXPECT_EQ(68, kCaptionsArea.top);
    EXPECT_EQ(itemRect(4).right, kCaptionsArea.right);
    EXPECT_EQ(itemRect(4).bottom, kCaptionsArea.bottom);
    EXPECT_EQ(232, kCaptionsArea.bottom);

    const RECT r{10, 10, 20, 20};
    EXPECT_TRUE(pointInsideRect(11, 11, r));
    EXPECT_FALSE(pointInsideRect(10, 11, r));
    EXPECT_FALSE(pointInsideRect(11, 20, r));
    EXPECT_FALSE(pointInsideRect(-5, 15, RECT{-10, 0, -5, 30}));
    EXPECT_TRUE(pointInsideRect(-6, 15, RECT{-10, 0, -5, 30}));
}

}  // namespace
