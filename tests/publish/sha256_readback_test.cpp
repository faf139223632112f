// SHA-256 of files of many sizes against sha256sum, which reads them independently.
#include <gtest/gtest.h>

#include "bytes/sha256.h"
#include "medium_on_disk.h"

namespace {

TEST(Sha256, AgreesWithSha256sum) {
    if (!hasProgram("sha256sum")) GTEST_SKIP() << "sha256sum is missing";
    TempFolder work;
    for (std::uint64_t size :
         {0ull, 55ull, 56ull, 63ull, 64ull, 65ull, 119ull, 120ull, (1ull << 20) + 3, 3ull << 20}) {
        const std::string name = "f" + std::to_string(size);
        layOutMedium(work.path(), {{name, size}}, 0);
        const std::string path = work.path() + "/" + name;
        const std::string bytes = fileBytes(path);
        Sha256 sha;
        sha.add(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
        const std::string expected = runCommand("sha256sum " + shellQuoted(path)).substr(0, 64);
        EXPECT_EQ(hexDigest(sha.finish()), expected) << size;
    }
}

}  // namespace
