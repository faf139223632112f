// SHA-256 (FIPS 180-4), fed in pieces: the publish tool's check that a file copied to a
// drive reads back as the medium's file.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

class Sha256 {
public:
    Sha256();
    // Adds `size` bytes to the message.
    void add(const std::uint8_t* bytes, std::size_t size);
    // The digest of everything added. The object is then spent: add nothing more.
    std::array<std::uint8_t, 32> finish();

private:
    void block(const std::uint8_t* bytes);

    std::uint32_t state_[8];
    std::uint8_t pending_[64];
    std::size_t pendingBytes_ = 0;
    std::uint64_t totalBytes_ = 0;
};

// `digest` in lower-case hexadecimal, as sha256sum prints it.
std::string hexDigest(const std::array<std::uint8_t, 32>& digest);
