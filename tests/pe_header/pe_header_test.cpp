// The program headers as the build step and the brand tool read and write them, on
// headers made here: both layouts, every way a file can fail to be a program, and the
// checksum's arithmetic. The built programs' checksums are compared with Windows' own in
// tests/program.
#include "pe_header/pe_header.h"

#include <gtest/gtest.h>

namespace {

constexpr std::size_t kPe = 0x80;  // where the headers begin, as e_lfanew says

// A program's headers with 16 data directories, the certificate table at 0x1000 (0x20
// bytes), cut to `size` bytes.
Bytes programHeaders(bool wide, std::size_t size = 0x400) {
    Bytes file(0x400, 0);
    file[0] = 'M';
    file[1] = 'Z';
    writeNumber(file, 0x3C, 4, kPe);
    writeNumber(file, kPe, 4, 0x00004550);
    const std::size_t optional = kPe + 24;
    const std::size_t directories = optional + (wide ? 112 : 96);
    writeNumber(file, kPe + 20, 2, static_cast<std::uint32_t>(directories + 16 * 8 - optional));
    writeNumber(file, kPe + 22, 2, 0x0102);
    writeNumber(file, optional, 2, wide ? 0x20B : 0x10B);
    writeNumber(file, optional + 70, 2, 0x0140);
    writeNumber(file, directories - 4, 4, 16);
    writeNumber(file, directories + 4 * 8, 4, 0x1000);
    writeNumber(file, directories + 4 * 8 + 4, 4, 0x20);
    file.resize(size);
    return file;
}

TEST(PeHeader, ReadsBothLayoutsAndSetsFlagsWithAValidChecksum) {
    for (const bool wide : {false, true}) {
        SCOPED_TRACE(wide ? "PE32+" : "PE32");
        Bytes file = programHeaders(wide);
        const PeHeader header = readPeHeader(file);
        ASSERT_TRUE(header.valid) << header.problem;
        EXPECT_EQ(wide, header.wide);
        EXPECT_EQ(0x0102, header.characteristics);
        EXPECT_EQ(0x0140, header.dllCharacteristics);
        EXPECT_EQ(kPe + 24 + 64, header.checkSumOffset);
        EXPECT_EQ(0x1000u, header.certificateOffset);
        EXPECT_EQ(0x20u, header.certificateSize);
        EXPECT_FALSE(hasValidChecksum(file));

        ASSERT_EQ("", setFileFlags(file, runFromSwapFlags));
        const PeHeader flagged = readPeHeader(file);
        EXPECT_EQ(0x0102 | runFromSwapFlags, flagged.characteristics);
        EXPECT_EQ(peChecksum(file, flagged.checkSumOffset), flagged.checkSum);
        EXPECT_TRUE(hasValidChecksum(file));
        file[0x300] ^= 1;
        EXPECT_FALSE(hasValidChecksum(file));
    }
}

TEST(PeHeader, RefusesWhatIsNotAProgramAndLeavesItAsItIs) {
    const auto with = [](std::size_t offset, std::size_t count, std::uint32_t value) {
        Bytes file = programHeaders(false);
        writeNumber(file, offset, count, value);
        return file;
    };
    const struct {
        const char* what;
        Bytes file;
        const char* problem;
    } cases[] = {
        {"too short", Bytes(0x3F, 'M'), "no MZ header"},
        {"no MZ", with(0, 2, 0x5A4E), "no MZ header"},
        {"e_lfanew past the end", with(0x3C, 4, 0x7FFFFFF0), "no PE header"},
        {"e_lfanew at the last bytes", with(0x3C, 4, 0x3F0), "no PE header"},
        {"no PE signature", with(kPe, 4, 0x00004551), "no PE header"},
        {"an unknown magic", with(kPe + 24, 2, 0x107), "unknown optional header"},
        {"four directories", with(kPe + 24 + 92, 4, 4), "the optional header is cut short"},
        {"a short optional header", with(kPe + 20, 2, 96), "the optional header is cut short"},
        {"cut inside the directories", programHeaders(false, kPe + 24 + 120),
         "the optional header is cut short"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Bytes file = c.file;
        EXPECT_FALSE(readPeHeader(file).valid);
        EXPECT_EQ(c.problem, setFileFlags(file, runFromSwapFlags));
        EXPECT_FALSE(writeChecksum(file));
        EXPECT_EQ(c.file, file);
    }
}

// The words fold their carries back in; an odd last byte counts as a word of its own; the
// checksum field counts as zero; the length is added last.
TEST(PeHeader, ChecksumArithmetic) {
    const struct {
        Bytes file;
        std::size_t checkSumOffset;
        std::uint32_t sum;
    } cases[] = {
        {{0x01, 0x02, 0x03}, 100, 0x0201 + 0x0003 + 3},
        {{0xFF, 0xFF, 0x02, 0x00}, 100, 0x0002 + 4},
        {{0x01, 0x00, 0xAA, 0xBB, 0xCC, 0xDD, 0x02, 0x00}, 2, 0x0003 + 8},
    };
    for (const auto& c : cases) EXPECT_EQ(c.sum, peChecksum(c.file, c.checkSumOffset));
}

}  // namespace
