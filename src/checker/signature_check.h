// Whether the menu program beside the menu file is signed, and by whom.
#pragma once

#include <string>

#include "checker/report.h"

// Reports the Authenticode signature of `program` (a full path): an info naming the signer
// when the signature holds (and what Windows says when it does not trust the signer), a
// warning when the program is unsigned or its signature no longer covers it.
void checkProgramSignature(const std::string& program, Report& report);
