#include "window/layout.h"

#include "config/menu_item.h"
#include "state/launcher_state.h"

RECT itemRect(std::int32_t i) { return RECT{310, 60 + 35 * i, 590, 92 + 35 * i}; }

bool pointInsideRect(std::int32_t x, std::int32_t y, const RECT& rect) {
    return rect.left < x && x < rect.right && rect.top < y && y < rect.bottom;
}

std::int32_t itemFromPoint(std::int32_t x, std::int32_t y) {
    for (std::int32_t i = 0; i < launcherState.itemCount && i < kMenuItemSlots; ++i) {
        const MenuItem* item = launcherState.menuItems[i];
        if (item == nullptr || item->empty) continue;
        if (pointInsideRect(x, y, itemRect(i))) return i;
    }
    return -1;
}

RECT commentBoxRect() { return RECT{300, 270, 599, 396}; }

RECT commentTextRect() {
    const RECT box = commentBoxRect();
    return RECT{box.left + 10, box.top + 10, box.right - 10, box.bottom - 10};
}
