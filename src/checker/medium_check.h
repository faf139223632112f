// The whole check of one medium: finding its menu file, then every section the way the
// menu reads it. Other programs call it as the console checker does.
#pragma once

#include <string>
#include <vector>

#include "checker/report.h"

struct CheckOptions {
    std::string medium;  // the medium's folder or its autorun.inf
    std::string root;    // the medium's root folder; empty: the folder of autorun.inf
    std::string menu;    // the menu program; empty: the one beside autorun.inf that carries
                         // the menu's picture
    // The folder the menu file stands in on the medium, when `medium` names a copy of it
    // elsewhere (the editor checks its unsaved text so): the files beside the menu file
    // ([autorun], the menu program) and the root by default are looked for there. Empty: the
    // folder of the menu file checked.
    std::string folder;
};

struct CheckResult {
    std::vector<Finding> findings;  // in the order the checks made them
    std::string menuFile;           // the menu file found; empty when there is none
    // True when every check ran; false when one stopped the rest (no menu file, one that
    // cannot be read, no room for a path or a copy, ...), the reason among the findings.
    bool complete = false;
};

// Checks the medium `options` name. Reads the menu file with the menu's own code, which
// works on launcherState, and leaves launcherState as it found it.
CheckResult checkMedium(const CheckOptions& options);
