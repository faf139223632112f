// Changes to a linked program's PE header that the linker cannot make itself. Portable: the
// build runs it on the build machine after linking, on the bytes of the program's file.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// IMAGE_FILE_REMOVABLE_RUN_FROM_SWAP | IMAGE_FILE_NET_RUN_FROM_SWAP: Windows copies the
// whole program to the page file when it starts from removable media or a network share,
// so the running program never pages in from a medium that may leave the drive.
constexpr std::uint16_t runFromSwapFlags = 0x0400 | 0x0800;

// The checksum of a PE file as Windows computes it (CheckSumMappedFile): the 16-bit words
// of the file, the checksum field itself counted as zero, folded with carries, plus the
// file's length. `checksumOffset` is where the field lies.
std::uint32_t peChecksum(const std::vector<unsigned char>& image, std::size_t checksumOffset);

// Sets `flags` in the file header's characteristics and writes the checksum anew. Returns
// an empty text on success; otherwise why the bytes are not a PE program, and leaves them
// untouched.
std::string setFileFlags(std::vector<unsigned char>& image, std::uint16_t flags);
