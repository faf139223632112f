#include "brand/pe_header.h"

PeHeader readPeHeader(const Bytes& file) {
    PeHeader header;
    if (file.size() < 0x40 || file[0] != 'M' || file[1] != 'Z') return header;
    const std::size_t pe = read32(file, 0x3C);
    if (pe > file.size() || file.size() - pe < 24 || read32(file, pe) != 0x00004550) return header;
    const std::size_t optional = pe + 24;
    const std::uint16_t optionalSize = read16(file, pe + 20);
    const std::uint16_t magic = read16(file, optional);
    if (magic != 0x10B && magic != 0x20B) return header;
    header.wide = magic == 0x20B;
    // The data directories follow the fixed part; the certificate table is the fifth.
    const std::size_t directories = optional + (header.wide ? 112 : 96);
    const std::size_t directoryCount = read32(file, directories - 4);
    if (directoryCount < 5 || directories + 5 * 8 > optional + optionalSize ||
        directories + 5 * 8 > file.size())
        return header;
    header.characteristics = read16(file, pe + 22);
    header.checkSumOffset = optional + 64;
    header.checkSum = read32(file, header.checkSumOffset);
    header.dllCharacteristics = read16(file, optional + 70);
    header.certificateOffset = read32(file, directories + 4 * 8);
    header.certificateSize = read32(file, directories + 4 * 8 + 4);
    header.valid = true;
    return header;
}
