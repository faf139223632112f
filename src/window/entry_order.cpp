#include "window/entry_order.h"

#include "config/menu_item.h"
#include "state/launcher_state.h"

static bool shows(std::int32_t slot) {
    if (slot < 0 || slot >= launcherState.itemCount || slot >= kMenuItemSlots) return false;
    const MenuItem* item = launcherState.menuItems[slot];
    return item != nullptr && !item->empty;
}

std::int32_t shownEntryCount() {
    std::int32_t count = 0;
    for (std::int32_t slot = 0; slot < kMenuItemSlots; ++slot) count += shows(slot) ? 1 : 0;
    return count;
}

std::int32_t shownEntrySlot(std::int32_t position) {
    for (std::int32_t slot = 0; slot < kMenuItemSlots; ++slot) {
        if (shows(slot) && position-- == 0) return slot;
    }
    return -1;
}

std::int32_t shownEntryPosition(std::int32_t slot) {
    if (!shows(slot)) return -1;
    std::int32_t position = 0;
    for (std::int32_t before = 0; before < slot; ++before) position += shows(before) ? 1 : 0;
    return position;
}

std::int32_t nextShownEntry(std::int32_t slot, std::int32_t step) {
    const std::int32_t count = shownEntryCount();
    if (count == 0) return -1;
    const std::int32_t position = shownEntryPosition(slot);
    if (position == -1) return shownEntrySlot(step > 0 ? 0 : count - 1);
    return shownEntrySlot((position + (step > 0 ? 1 : count - 1)) % count);
}
