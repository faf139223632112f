#include "checker/medium_root.h"

#include <cstring>

#include "checker/near_name.h"
#include "startup/menu_file.h"
#include "state/launcher_state.h"

std::string rootTheMenuTakes(const std::string& folder) {
    // The menu's code writes its answer into launcherState, which keeps what it held.
    char kept[sizeof launcherState.mediaRoot];
    std::memcpy(kept, launcherState.mediaRoot, sizeof kept);
    computeMediaRoot(folder.c_str());
    const std::string root = launcherState.mediaRoot;
    std::memcpy(launcherState.mediaRoot, kept, sizeof kept);
    return root;
}

bool menuTakesAnotherRoot(const std::string& folder) {
    const std::string root = rootTheMenuTakes(folder);
    return !root.empty() && !sameName(root, folder);
}
