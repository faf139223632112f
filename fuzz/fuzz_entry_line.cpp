// Any entry line cut into a complete menu entry.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "config/entry_line.h"
#include "config/menu_item.h"
#include "state/launcher_state.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    static const char* const roots[] = {"", "E:\\", "\\\\srv\\share\\", "\\\\srv/share\\"};
    std::strcpy(launcherState.mediaRoot, roots[data[0] % 4]);

    // A line as the profile reader gives it: at most 1023 characters, no NUL inside.
    char line[kTextLineSize];
    std::size_t length = 0;
    for (std::size_t i = 1; i < size && length < sizeof line - 1; ++i) {
        if (data[i] != 0) line[length++] = static_cast<char>(data[i]);
    }
    line[length] = '\0';

    MenuItem* item = menuItemFromLine(line);
    if (item == nullptr) std::abort();

    // The caption is the line up to its first bar, and decides the empty flag.
    const char* bar = std::strchr(line, '|');
    const std::size_t captionLength = bar ? static_cast<std::size_t>(bar - line) : length;
    if (std::strlen(item->caption) != captionLength ||
        std::memcmp(item->caption, line, captionLength) != 0) {
        std::abort();
    }
    if (item->empty != (captionLength == 0 ? 1 : 0)) std::abort();
    if (item->closeAfterLaunch != 0 && item->closeAfterLaunch != 1) std::abort();
    // Every text is terminated within its block (the sanitizer checks the reads).
    if (std::strlen(item->command) + std::strlen(item->parameters) + std::strlen(item->comment) +
            std::strlen(item->errorText) >
        4 * length + kPathSize) {
        std::abort();
    }
    // A command that is not absolute sits under the media root.
    const std::size_t rootLength = std::strlen(launcherState.mediaRoot);
    if (item->command[0] != '\0' && !isAbsoluteCommand(item->command) &&
        std::strncmp(item->command, launcherState.mediaRoot, rootLength) != 0) {
        std::abort();
    }

    // The fields as written, joined at their bars again, are the line.
    EntryLineFields cut;
    cutEntryLine(line, cut);
    if (cut.written < 1 || cut.written > kEntryFieldCount + 1) std::abort();
    std::string joined;
    for (std::size_t i = 0; i < kEntryFieldCount; ++i) {
        if (cut.fields[i] == nullptr) std::abort();
        if (i > 0 && i < cut.written) joined += '|';
        if (i < cut.written) joined += cut.fields[i];
        std::free(cut.fields[i]);
    }
    if ((cut.closeFlag != nullptr) != (cut.written == kEntryFieldCount + 1)) std::abort();
    if (cut.closeFlag != nullptr) joined += std::string("|") + cut.closeFlag;
    if (joined != line) std::abort();

    releaseMenuItem(item);
    return 0;
}
