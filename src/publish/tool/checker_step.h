// The checker run on the medium before anything is published, its warnings and errors
// printed as the console checker prints them.
#pragma once

#include <string>

struct CheckVerdict {
    int errors = 0;
    int warnings = 0;
    bool ran = false;  // false when the checker could not be run on this folder
    std::string why;   // when it did not run
};

// Checks the medium in the full path `medium` and prints its warnings and errors.
CheckVerdict checkAndPrint(const std::wstring& medium);

// "the checker found 2 errors and 1 warning" and the like.
std::string verdictText(const CheckVerdict& verdict);
