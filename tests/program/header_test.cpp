// The built program's PE header: it runs from the page file when started from removable
// media or a network share (so a medium that leaves the drive cannot take the running menu
// with it), and its checksum, written after those flags were set, is the file's own.
#include <gtest/gtest.h>

#include <windows.h>
#include <imagehlp.h>

#include <string>

#include "built_program.h"
#include "test_files.h"

namespace {

TEST(ProgramHeader, RunsFromSwapWithTheChecksumOfItsFile) {
    std::string bytes = readWholeFile(builtProgramPath());
    ASSERT_FALSE(bytes.empty()) << "cannot read " << builtProgramPath();
    DWORD written = 0;
    DWORD computed = 0;
    const IMAGE_NT_HEADERS* headers = CheckSumMappedFile(&bytes[0], static_cast<DWORD>(bytes.size()),
                                                         &written, &computed);
    ASSERT_NE(nullptr, headers);

    const WORD characteristics = headers->FileHeader.Characteristics;
    EXPECT_TRUE(characteristics & IMAGE_FILE_REMOVABLE_RUN_FROM_SWAP);
    EXPECT_TRUE(characteristics & IMAGE_FILE_NET_RUN_FROM_SWAP);
    EXPECT_TRUE(characteristics & IMAGE_FILE_EXECUTABLE_IMAGE);
    EXPECT_NE(0u, written);
    EXPECT_EQ(computed, written);
}

}  // namespace
