// The console checker's output: one line per finding, the way compilers print theirs:
// "E:\autorun.inf:14: warning: [View] FontColour: the menu never reads this key". A finding
// about a section or key of the menu file starts with the file and the line it stands on
// (the file alone when it has no line), then the severity, then where in the file; a
// finding about another file or folder starts with its path.
#pragma once

#include <string>

#include "checker/medium_check.h"

// The line of `finding` as characters, each part converted from its own code page.
std::wstring findingLine(const Finding& finding);

// Writes the line of every finding of `result` to the standard output, then, when every
// check ran, how many errors and warnings they are, as an info about the menu file.
void printCheckResult(const CheckResult& result);
