// What a .pfx (PKCS #12) file holds, seen without its password.
#pragma once

#include "bytes/little_endian.h"

// True when the .pfx in `file` has a private key bag (shrouded or plain) where it can be
// seen without the password, as every exporter puts it; false when it has none there.
bool pfxHoldsKey(const Bytes& file);
