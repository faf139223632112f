// The fields of a Windows program's headers that the build and the brand tool read and
// write: the file header's flags, the checksum and the certificate table. Portable: the
// build runs it on the build machine after linking, on the bytes of the program's file.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "bytes/little_endian.h"

// IMAGE_FILE_REMOVABLE_RUN_FROM_SWAP | IMAGE_FILE_NET_RUN_FROM_SWAP: Windows copies the
// whole program to the page file when it starts from removable media or a network share,
// so the running program never pages in from a medium that may leave the drive.
constexpr std::uint16_t runFromSwapFlags = 0x0400 | 0x0800;

struct PeHeader {
    bool valid = false;
    const char* problem = "";  // when not valid: why the bytes are not a Windows program
    bool wide = false;         // PE32+ (x64) rather than PE32 (x86)
    std::size_t characteristicsOffset = 0;  // where the file header flags lie in the file
    std::uint16_t characteristics = 0;      // file header flags (run-from-swap among them)
    std::uint16_t dllCharacteristics = 0;   // ASLR, DEP, high-entropy ASLR
    std::size_t checkSumOffset = 0;         // where the PE checksum lies in the file
    std::uint32_t checkSum = 0;
    std::uint32_t certificateOffset = 0;  // the certificate table (a signature), if any
    std::uint32_t certificateSize = 0;
};

// The headers of the program in `file`; `valid` is false, with the problem, when it is not
// a Windows program whose headers lie wholly inside the file.
PeHeader readPeHeader(const Bytes& file);

// The checksum of a PE file as Windows computes it (CheckSumMappedFile): the 16-bit words
// of the file, the checksum field itself counted as zero, folded with carries, plus the
// file's length. `checkSumOffset` is where the field lies.
std::uint32_t peChecksum(const Bytes& file, std::size_t checkSumOffset);

// True when the program in `file` carries a checksum and it is the file's own.
bool hasValidChecksum(const Bytes& file);

// Writes the file's own checksum into the headers of the program in `file`. False, with
// `file` untouched, when it is not a Windows program.
bool writeChecksum(Bytes& file);

// Sets `flags` in the file header's characteristics and writes the checksum anew. Returns
// an empty text on success; otherwise why the bytes are not a Windows program, and leaves
// them untouched.
std::string setFileFlags(Bytes& file, std::uint16_t flags);
