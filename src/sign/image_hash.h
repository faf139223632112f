// The Authenticode image hash of a Windows program, and the program made ready for a
// signature: portable, on the bytes of the program's file.
#pragma once

#include <string>

#include "bytes/little_endian.h"

// The program in `file` without a signature, ready to have one appended.
struct UnsignedImage {
    bool valid = false;
    std::string problem;        // when not valid: why it cannot be signed, for the author
    bool hadSignature = false;  // a certificate table was there and is left out of `file`
    Bytes file;                 // the program, its length a multiple of 8, no certificate table
};

// The program in `program` with any certificate table taken off its end and its entry in
// the data directory cleared, padded with zeros to a multiple of 8 bytes, where the table
// must begin. Not valid when the bytes are not a whole Windows program (no MZ or PE header,
// headers or a section's data past the end of the file) or when a certificate table lies
// anywhere but at the very end.
UnsignedImage unsignedImage(const Bytes& program);

// The SHA-256 image hash of the program in `file`, as the PE format prescribes for
// Authenticode: the headers without the checksum and the certificate table's directory
// entry, each section's data in the order of its place in the file, then whatever follows
// but the certificate table. Empty, with `problem` set, when the bytes are not a whole
// Windows program.
Bytes authenticodeImageHash(const Bytes& file, std::string& problem);
