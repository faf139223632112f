// The editor's findings as they come from the check's process, on any bytes: decoding never
// reads past them, and bytes it takes are exactly the encoding of what it gave.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "editor/findings/findings_wire.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    CheckResult result;
    if (decodeCheckResult(bytes, result) && encodeCheckResult(result) != bytes) std::abort();
    return 0;
}
