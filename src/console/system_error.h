// The system's own words for an error code, for messages to authors.
#pragma once

#include <string>

// The system's own words for the error code `error` (FormatMessage), in UTF-8 and without the
// final full stop, followed by the number: "Access is denied (system error 5)". Just
// "system error N" when the system has no words for it.
std::string systemErrorText(unsigned long error);
