#include "sign/pfx_contents.h"

#include <algorithm>

#include "sign/der.h"

bool pfxHoldsKey(const Bytes& file) {
    // The bag types' identifiers, wherever they lie in the clear parts of the file: a key
    // inside the password-encrypted contents is the rare case this cannot see.
    for (const char* bag : {"1.2.840.113549.1.12.10.1.1", "1.2.840.113549.1.12.10.1.2"}) {
        const Bytes oid = der::oid(bag);
        if (std::search(file.begin(), file.end(), oid.begin(), oid.end()) != file.end())
            return true;
    }
    return false;
}
