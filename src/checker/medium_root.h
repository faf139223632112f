// The root the menu takes as the medium's. Started from a folder on a hard disk, the menu
// takes the root of that folder's drive, not the folder, as it must on a medium.
#pragma once

#include <string>

// The root of the drive ("C:\") or share ("\\server\share\") of `folder`, a full path,
// found by the menu's own code; empty for a path of neither form.
std::string rootTheMenuTakes(const std::string& folder);

// True when the menu started from `folder` (a full path ending in a separator) takes another
// folder, the root of its drive or share, for the medium's root.
bool menuTakesAnotherRoot(const std::string& folder);
