// The few fields of a Windows program's headers the brand tool reads and writes.
#pragma once

#include <cstddef>
#include <cstdint>

#include "bytes/little_endian.h"

struct PeHeader {
    bool valid = false;
    bool wide = false;                   // PE32+ (x64) rather than PE32 (x86)
    std::uint16_t characteristics = 0;   // file header flags (run-from-swap among them)
    std::uint16_t dllCharacteristics = 0;  // ASLR, DEP, high-entropy ASLR
    std::size_t checkSumOffset = 0;      // where the PE checksum lies in the file
    std::uint32_t checkSum = 0;
    std::uint32_t certificateOffset = 0;  // the certificate table (a signature), if any
    std::uint32_t certificateSize = 0;
};

// The headers of the program in `file`; `valid` is false when it is not a Windows program
// whose headers lie wholly inside the file.
PeHeader readPeHeader(const Bytes& file);
