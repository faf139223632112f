#include "window/layout.h"

#include "config/menu_item.h"
#include "state/launcher_state.h"

RECT itemRect(std::int32_t i) {
    const std::int32_t top = kItemTop + kItemPitch * i;
    return RECT{kItemLeft, top, kItemLeft + kItemWidth, top + kItemHeight};
}

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

RECT commentBoxRect() { return kCommentBox; }

RECT commentTextRect() {
    const RECT box = commentBoxRect();
    return RECT{box.left + kCommentMargin, box.top + kCommentMargin, box.right - kCommentMargin,
                box.bottom - kCommentMargin};
}
