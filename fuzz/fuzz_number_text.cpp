// Text to number on any text, checked against the C library where both must agree.
#include <cerrno>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "config/number_text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    char text[260];
    const std::size_t length = size < sizeof text - 1 ? size : sizeof text - 1;
    std::memcpy(text, data, length);
    text[length] = '\0';

    const std::int32_t value = numberFromText(text);

    // Where the number is plain ASCII and fits 32 bits, strtol must read the same value.
    bool plain = true;
    for (std::size_t i = 0; i < length; ++i) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (c == 0 || c > 127) plain = false;
    }
    if (plain) {
        errno = 0;
        const long long reference = std::strtoll(text, nullptr, 10);
        if (errno == 0 && reference >= INT32_MIN && reference <= INT32_MAX && value != reference) {
            std::abort();
        }
    }

    char written[kDecimalTextSize];
    decimalText(value, written);
    if (numberFromText(written) != value) std::abort();
    return 0;
}
