// The entries that show a caption, in slot order: what the keys step through and what the
// menu tells screen readers about. An entry counts when its slot is loaded and not empty.
#pragma once

#include <cstdint>

// How many entries show a caption.
std::int32_t shownEntryCount();

// The slot of the shown entry at `position` (from 0) in slot order, or -1 when there is none.
std::int32_t shownEntrySlot(std::int32_t position);

// The position (from 0) of `slot` among the shown entries, or -1 when it shows nothing.
std::int32_t shownEntryPosition(std::int32_t slot);

// The shown entry after `slot` (`step` 1) or before it (`step` -1), wrapping round at
// either end. From -1, or from a slot that shows nothing, the first (step 1) or last
// (step -1) shown entry. -1 when no entry is shown.
std::int32_t nextShownEntry(std::int32_t slot, std::int32_t step);
