// The system's own words for an error code, for messages to people.
#pragma once

#include <string>

// The system's words for the error code `error` (FormatMessage), without the final full
// stop, followed by the number: "Access is denied (system error 5)". Just "system error N"
// when the system has no words for it.
std::wstring systemErrorWords(unsigned long error);

// The same in UTF-8, for the tools' messages that are UTF-8 text.
std::string systemErrorText(unsigned long error);
