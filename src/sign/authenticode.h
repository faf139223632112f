// An Authenticode signature made for a Windows program: the image hash in an
// SpcIndirectDataContent, a PKCS #7 SignedData over it carrying the signer's certificate
// chain, and the certificate table that holds it appended to the program. Portable: the
// key itself is used only through `sign`, so it never leaves the platform that keeps it.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "bytes/little_endian.h"

// Signs the 32-byte SHA-256 `digest` with the signer's private key. `signature` is what
// the SignerInfo carries: an RSA PKCS #1 v1.5 signature, or for an ECDSA key its
// Ecdsa-Sig-Value in DER (ecdsaSignatureDer). False with the problem for the author.
using SignDigest = std::function<bool(const Bytes& digest, Bytes& signature, std::string& problem)>;

// Gets an RFC 3161 time-stamp token (a ContentInfo, DER) over `signature`, the signer's
// signature bytes. False with the problem for the author.
using TimestampSignature =
    std::function<bool(const Bytes& signature, Bytes& token, std::string& problem)>;

struct SigningRequest {
    std::vector<Bytes> certificates;  // DER: the signer's own certificate first, then its chain
    std::string programName;          // UTF-8, shown by Windows as the program's name; may be empty
    SignDigest sign;
    TimestampSignature timestamp;  // empty: no time stamp
};

struct SigningResult {
    bool done = false;
    std::string problem;             // when not done: why, for the author
    bool replacedSignature = false;  // the program was signed before; that signature is gone
    Bytes file;                      // when done: the signed program
};

// The program in `program` signed as `request` asks: any signature it had replaced, the
// new certificate table appended (8-byte aligned) and named in the data directory, the
// checksum written anew. Without a time stamp, signing the same bytes twice with one key
// gives the same bytes: no signing time is recorded.
SigningResult signProgram(const Bytes& program, const SigningRequest& request);

// The SpcIndirectDataContent (DER) that names `imageHash` as a PE image's SHA-256 hash.
Bytes spcIndirectDataContent(const Bytes& imageHash);

// A raw ECDSA signature (r then s, each half of `raw`) as the DER Ecdsa-Sig-Value
// SEQUENCE { INTEGER r, INTEGER s }; empty when `raw` is empty or of odd length.
Bytes ecdsaSignatureDer(const Bytes& raw);
