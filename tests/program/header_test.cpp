// The built program's PE header: it runs from the page file when started from removable
// media or a network share (so a medium that leaves the drive cannot take the running menu
// with it), and its checksum, written after those flags were set, is the file's own. Our
// own checksum, which the build step and the brand tool write, is Windows' own on every
// built program.
#include <windows.h>
#include <gtest/gtest.h>
#include <imagehlp.h>

#include <string>

#include "built_program.h"
#include "pe_header/pe_header.h"
#include "test_files.h"

namespace {

TEST(ProgramHeader, RunsFromSwapWithTheChecksumOfItsFile) {
    std::string bytes = readWholeFile(builtProgramPath());
    ASSERT_FALSE(bytes.empty()) << "cannot read " << builtProgramPath();
    DWORD written = 0;
    DWORD computed = 0;
    const IMAGE_NT_HEADERS* headers =
        CheckSumMappedFile(&bytes[0], static_cast<DWORD>(bytes.size()), &written, &computed);
    ASSERT_NE(nullptr, headers);

    const WORD characteristics = headers->FileHeader.Characteristics;
    EXPECT_TRUE(characteristics & IMAGE_FILE_REMOVABLE_RUN_FROM_SWAP);
    EXPECT_TRUE(characteristics & IMAGE_FILE_NET_RUN_FROM_SWAP);
    EXPECT_TRUE(characteristics & IMAGE_FILE_EXECUTABLE_IMAGE);
    EXPECT_NE(0u, written);
    EXPECT_EQ(computed, written);
}

// Each program as built, and with one byte more (the last word then has one byte).
TEST(PeChecksum, IsWindowsOwnOnTheBuiltPrograms) {
    const std::string menu = builtProgramPath();
    const std::string folder = menu.substr(0, menu.find_last_of('\\') + 1);
    for (const char* name :
         {"autorun-menu.exe", "autorun-menu-brand.exe", "autorun-menu-check.exe"}) {
        SCOPED_TRACE(name);
        std::string bytes = readWholeFile(folder + name);
        ASSERT_FALSE(bytes.empty());
        for (const char* length : {"as built", "one byte more"}) {
            if (length[0] == 'o') bytes.push_back('\x5A');
            DWORD written = 0;
            DWORD computed = 0;
            ASSERT_NE(nullptr, CheckSumMappedFile(&bytes[0], static_cast<DWORD>(bytes.size()),
                                                  &written, &computed));
            const Bytes file(bytes.begin(), bytes.end());
            const std::size_t offset = readPeHeader(file).checkSumOffset;
            EXPECT_EQ(computed, peChecksum(file, offset)) << length;
        }
    }
}

}  // namespace
