#include "pe_header.h"

namespace {

// Little-endian fields, read and written without alignment assumptions. Callers check
// the bounds.
std::uint32_t read32(const std::vector<unsigned char>& image, std::size_t at) {
    return image[at] | image[at + 1] << 8 | image[at + 2] << 16 |
           static_cast<std::uint32_t>(image[at + 3]) << 24;
}

std::uint16_t read16(const std::vector<unsigned char>& image, std::size_t at) {
    return static_cast<std::uint16_t>(image[at] | image[at + 1] << 8);
}

void write16(std::vector<unsigned char>& image, std::size_t at, std::uint16_t value) {
    image[at] = static_cast<unsigned char>(value);
    image[at + 1] = static_cast<unsigned char>(value >> 8);
}

void write32(std::vector<unsigned char>& image, std::size_t at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) image[at + i] = static_cast<unsigned char>(value >> (8 * i));
}

}  // namespace

std::uint32_t peChecksum(const std::vector<unsigned char>& image, std::size_t checksumOffset) {
    std::uint32_t sum = 0;
    for (std::size_t at = 0; at < image.size(); at += 2) {
        std::uint32_t word = image[at];
        if (at + 1 < image.size()) word |= static_cast<std::uint32_t>(image[at + 1]) << 8;
        if (at >= checksumOffset && at < checksumOffset + 4) word = 0;
        sum += word;
        sum = (sum & 0xffff) + (sum >> 16);
    }
    sum = (sum & 0xffff) + (sum >> 16);
    return sum + static_cast<std::uint32_t>(image.size());
}

std::string setFileFlags(std::vector<unsigned char>& image, std::uint16_t flags) {
    // The DOS header's e_lfanew at 0x3c points at "PE\0\0", then the 20-byte file header
    // (characteristics at +18) and the optional header (checksum at +64 in PE32 and PE32+).
    if (image.size() < 0x40 || image[0] != 'M' || image[1] != 'Z') return "no MZ header";
    const std::size_t nt = read32(image, 0x3c);
    const std::size_t characteristics = nt + 4 + 18;
    const std::size_t optional = nt + 4 + 20;
    const std::size_t checksum = optional + 64;
    if (nt > image.size() || image.size() - nt < 4 + 20 + 64 + 4) return "no PE header";
    if (read32(image, nt) != 0x00004550) return "no PE header";
    const std::uint16_t magic = read16(image, optional);
    if (magic != 0x10b && magic != 0x20b) return "unknown optional header";

    write16(image, characteristics, static_cast<std::uint16_t>(read16(image, characteristics) | flags));
    write32(image, checksum, peChecksum(image, checksum));
    return {};
}
