// Words for the errors keys, tokens and certificate files give.
#pragma once

#include <string>

// The words for `error` (an NTE_, SCARD_ or system code), which the system often lacks for
// keys and tokens: "the token or smart card is not inserted", or the system's words, or
// "error 0x8009000B" when it has none.
std::string keyErrorText(unsigned long error);
