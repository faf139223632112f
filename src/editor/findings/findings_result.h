// Results of the check the editor runs on a copy of its text: told about the menu file
// itself, or made up when the check could not run.
#pragma once

#include <string>

#include "checker/medium_check.h"

// Every path of `result` that names the copy `checked` names the menu file `real` instead,
// result.menuFile included.
void putBackMenuFile(CheckResult& result, const std::string& checked, const std::string& real);

// The result of a check that could not run: one error about `menuFile` that says why, in
// code page `codePage`.
CheckResult failedCheck(const std::string& menuFile, const std::string& reason, unsigned codePage);
