// Menu files in UTF-16 for the checker's tests, made the same way on every host.
#pragma once

#include <cstdint>
#include <string>

// `utf8` as UTF-16 of either byte order behind `mark` (such as "\xFF\xFE"); characters
// outside the basic plane become two units.
inline std::string utf16Text(const std::string& utf8, bool bigEndian,
                             const std::string& mark = std::string()) {
    std::string bytes = mark;
    const auto unit = [&bytes, bigEndian](std::uint32_t value) {
        const char low = static_cast<char>(value & 0xFF);
        const char high = static_cast<char>(value >> 8 & 0xFF);
        bytes += bigEndian ? std::string{high, low} : std::string{low, high};
    };
    for (std::size_t i = 0; i < utf8.size();) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        const std::size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        std::uint32_t point = length == 1 ? lead : lead & (0x7F >> length);
        for (std::size_t k = 1; k < length && i + k < utf8.size(); ++k)
            point = point << 6 | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
        i += length;
        if (point >= 0x10000) {
            unit(0xD800 + ((point - 0x10000) >> 10));
            unit(0xDC00 + ((point - 0x10000) & 0x3FF));
        } else {
            unit(point);
        }
    }
    return bytes;
}
