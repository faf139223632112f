// Which entries the keys step through and screen readers are told about, and in what order.
#include "window/entry_order.h"

#include <gtest/gtest.h>

#include <string>

#include "config/menu_item.h"
#include "state/launcher_state.h"

namespace {

class EntryOrder : public ::testing::Test {
protected:
    MenuItem full{"Entry", "cmd", "", "", "", false};
    MenuItem blank{"", "cmd", "", "", "", false};

    // One character a slot: 'x' shows a caption, '-' is empty, ' ' is not loaded.
    void load(const std::string& slots) {
        for (int i = 0; i < kMenuItemSlots; ++i) {
            const char kind = slots[static_cast<std::size_t>(i)];
            launcherState.menuItems[i] = kind == 'x' ? &full : kind == '-' ? &blank : nullptr;
        }
        launcherState.itemCount = 5;
    }
    void TearDown() override {
        for (MenuItem*& slot : launcherState.menuItems) slot = nullptr;
        launcherState.itemCount = 0;
    }
};

TEST_F(EntryOrder, StepsWrapOverShownEntriesOnly) {
    struct Case {
        const char* slots;
        std::int32_t from, step, next;
    } const cases[] = {
        {"xxxxx", -1, 1, 0},
        {"xxxxx", -1, -1, 4},
        {"xxxxx", 4, 1, 0},
        {"xxxxx", 0, -1, 4},
        {"xx-x ", 1, 1, 3},
        {"xx-x ", 3, 1, 0},
        {"xx-x ", 0, -1, 3},
        {"xx-x ", 3, -1, 1},
        {"--x--", 2, 1, 2},
        {"--x--", 2, -1, 2},
        {"--x--", -1, 1, 2},
        {"- - -", -1, 1, -1},
        // From an empty slot or one out of range: as from none.
        {"x-x-x", 1, 1, 0},
        {"x-x-x", 7, -1, 4},
        {"x-x-x", -5, 1, 0},
    };
    for (const Case& c : cases) {
        load(c.slots);
        EXPECT_EQ(c.next, nextShownEntry(c.from, c.step))
            << c.slots << " from " << c.from << " step " << c.step;
    }
}

}  // namespace
