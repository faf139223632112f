#include "checker/medium_root.h"

#include "checker/menu_state.h"
#include "checker/near_name.h"
#include "startup/menu_file.h"
#include "state/launcher_state.h"

std::string rootTheMenuTakes(const std::string& folder) {
    // The menu's code writes its answer into launcherState, which then gets back what it held.
    const MenuStateScope scope;
    computeMediaRoot(folder.c_str());
    const std::string root = launcherState.mediaRoot;
    return root;
}

bool menuTakesAnotherRoot(const std::string& folder) {
    const std::string root = rootTheMenuTakes(folder);
    return !root.empty() && !sameName(root, folder);
}
