#include "config/mapped_menu_file.h"

#include "config/menu_item.h"
#include "state/launcher_state.h"

namespace {

// The text unit at `index` of a text of `unitSize` bytes per unit (1, or 2 little-endian).
unsigned unitAt(const unsigned char* text, std::size_t index, std::size_t unitSize) {
    if (unitSize == 1) return text[index];
    return text[2 * index] | (static_cast<unsigned>(text[2 * index + 1]) << 8);
}

bool holdsHeading(const unsigned char* text, std::size_t units, std::size_t unitSize) {
    bool lineStart = true;  // nothing but blanks seen since the line began
    bool inHeading = false;
    for (std::size_t i = 0; i < units; ++i) {
        const unsigned unit = unitAt(text, i, unitSize);
        if (unit == '\n' || unit == '\r') {
            lineStart = true;
            inHeading = false;
        } else if (inHeading) {
            if (unit == ']') return true;
        } else if (lineStart && unit == '[') {
            inHeading = true;
        } else if (unit != ' ' && unit != '\t') {
            lineStart = false;
        }
    }
    return false;
}

}  // namespace

bool holdsSectionHeading(const char* bytes, std::size_t size) {
    const unsigned char* text = reinterpret_cast<const unsigned char*>(bytes);
    if (size >= 2 && text[0] == 0xFF && text[1] == 0xFE) {
        return holdsHeading(text + 2, (size - 2) / 2, 2);
    }
    if (size >= 3 && text[0] == 0xEF && text[1] == 0xBB && text[2] == 0xBF) {
        return holdsHeading(text + 3, size - 3, 1);
    }
    return holdsHeading(text, size, 1);
}

bool menuConfigurationEmpty() {
    if (launcherState.menuTitle[0] != '\0' || launcherState.menuPrompt[0] != '\0') return false;
    for (const MenuItem* item : launcherState.menuItems) {
        if (item != nullptr && item->empty == 0) return false;
    }
    return true;
}
