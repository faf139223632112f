#include "pe_header/pe_header.h"

PeHeader readPeHeader(const Bytes& file) {
    PeHeader header;
    // The DOS header's e_lfanew at 0x3c points at "PE\0\0", then the 20-byte file header
    // (characteristics at +18) and the optional header (checksum at +64 in PE32 and PE32+).
    if (file.size() < 0x40 || file[0] != 'M' || file[1] != 'Z') {
        header.problem = "no MZ header";
        return header;
    }
    const std::size_t pe = read32(file, 0x3C);
    if (pe > file.size() || file.size() - pe < 24 || read32(file, pe) != 0x00004550) {
        header.problem = "no PE header";
        return header;
    }
    const std::size_t optional = pe + 24;
    const std::uint16_t optionalSize = read16(file, pe + 20);
    const std::uint16_t magic = read16(file, optional);
    if (magic != 0x10B && magic != 0x20B) {
        header.problem = "unknown optional header";
        return header;
    }
    header.wide = magic == 0x20B;
    // The data directories follow the fixed part; the certificate table is the fifth.
    const std::size_t directories = optional + (header.wide ? 112 : 96);
    const std::size_t directoryCount = read32(file, directories - 4);
    if (directoryCount < 5 || directories + 5 * 8 > optional + optionalSize ||
        directories + 5 * 8 > file.size()) {
        header.problem = "the optional header is cut short";
        return header;
    }
    header.characteristicsOffset = pe + 22;
    header.characteristics = read16(file, header.characteristicsOffset);
    header.checkSumOffset = optional + 64;
    header.checkSum = read32(file, header.checkSumOffset);
    header.dllCharacteristics = read16(file, optional + 70);
    header.certificateOffset = read32(file, directories + 4 * 8);
    header.certificateSize = read32(file, directories + 4 * 8 + 4);
    header.valid = true;
    return header;
}

std::uint32_t peChecksum(const Bytes& file, std::size_t checkSumOffset) {
    std::uint32_t sum = 0;
    for (std::size_t at = 0; at < file.size(); at += 2) {
        std::uint32_t word = file[at];
        if (at + 1 < file.size()) word |= static_cast<std::uint32_t>(file[at + 1]) << 8;
        if (at >= checkSumOffset && at < checkSumOffset + 4) word = 0;
        sum += word;
        sum = (sum & 0xffff) + (sum >> 16);
    }
    sum = (sum & 0xffff) + (sum >> 16);
    return sum + static_cast<std::uint32_t>(file.size());
}

bool hasValidChecksum(const Bytes& file) {
    const PeHeader header = readPeHeader(file);
    return header.valid && header.checkSum != 0 &&
           header.checkSum == peChecksum(file, header.checkSumOffset);
}

bool writeChecksum(Bytes& file) {
    const PeHeader header = readPeHeader(file);
    if (!header.valid) return false;
    writeNumber(file, header.checkSumOffset, 4, peChecksum(file, header.checkSumOffset));
    return true;
}

std::string setFileFlags(Bytes& file, std::uint16_t flags) {
    const PeHeader header = readPeHeader(file);
    if (!header.valid) return header.problem;
    writeNumber(file, header.characteristicsOffset, 2, header.characteristics | flags);
    writeChecksum(file);
    return {};
}
