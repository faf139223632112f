// The menu file path and the media root made from any executable path, in a single-byte
// and in a double-byte code page.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "startup/lead_byte.h"
#include "startup/menu_file.h"
#include "startup/path_split.h"
#include "state/launcher_state.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    // The first byte picks the code page; the rest is the path, as long as the platform
    // ever reports one (at most 259 characters).
    setLeadByteCodePage((data[0] & 1) ? 932 : 0);
    char path[kPathSize];
    std::size_t length = size - 1 < sizeof path - 1 ? size - 1 : sizeof path - 1;
    std::memcpy(path, data + 1, length);
    path[length] = '\0';

    char menuFile[kPathSize];
    if (buildMenuFilePath(path, menuFile, sizeof menuFile)) {
        const std::size_t menuLength = std::strlen(menuFile);
        if (menuLength < 11 || std::strcmp(menuFile + menuLength - 11, "autorun.inf") != 0)
            std::abort();
        computeMediaRoot(menuFile);
    } else if (menuFile[0] != '\0') {
        std::abort();
    }
    computeMediaRoot(path);
    const std::size_t rootLength = std::strlen(launcherState.mediaRoot);
    if (rootLength >= kPathSize) std::abort();
    if (rootLength > 0 && !isPathSeparator(launcherState.mediaRoot[rootLength - 1])) std::abort();
    return 0;
}
