// The whole check of one medium: finding its menu file, then every section the way the
// menu reads it.
#pragma once

#include <string>

class Report;

struct CheckOptions {
    std::string medium;  // the medium's folder or its autorun.inf
    std::string root;    // the medium's root folder; empty: the folder of autorun.inf
    std::string menu;    // the menu program; empty: the one beside autorun.inf that carries
                         // the menu's picture
};

void checkMedium(const CheckOptions& options, Report& report);
