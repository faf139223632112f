// What a program's Authenticode signature says, read from the program's bytes: whether it
// has one, whether it still covers the program, and who signed it. Portable; whether
// Windows trusts the signer is the platform's question (signed_file_win32.h).
#pragma once

#include <string>

#include "bytes/little_endian.h"

enum class SignatureState {
    none,    // no certificate table
    intact,  // a signature whose image hash is the program's own
    broken,  // a signature that cannot be read, or the program changed after signing
};

struct SignatureFacts {
    SignatureState state = SignatureState::none;
    std::string problem;  // when broken: why, for the author
    std::string signer;   // when read: the signer's common name (UTF-8), or empty
};

// The signature of the program in `file`. A file that is no program has none.
SignatureFacts inspectSignature(const Bytes& file);
