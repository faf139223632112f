// SHA-256 (FIPS 180-4), computed the same way on every target: the digest Authenticode
// signs with, and the check that a file copied to a drive reads back as the medium's.
#pragma once

#include <cstddef>
#include <string>

#include "bytes/little_endian.h"

// Feeds pieces of a message one after another; `finish` gives the 32-byte digest.
class Sha256 {
public:
    Sha256();
    void add(const unsigned char* data, std::size_t size);
    void add(const Bytes& data) { add(data.data(), data.size()); }
    Bytes finish();

private:
    void block(const unsigned char* data);
    std::uint32_t state_[8];
    unsigned char pending_[64];
    std::size_t pendingSize_ = 0;
    std::uint64_t totalSize_ = 0;
};

// The digest of `data` in one call.
Bytes sha256(const Bytes& data);

// `digest` in lower-case hexadecimal, as sha256sum prints it.
std::string hexDigest(const Bytes& digest);
