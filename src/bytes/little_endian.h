// Little-endian numbers read from and written into byte buffers, never past their end.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

using Bytes = std::vector<unsigned char>;

// The number of `count` bytes at `offset`; 0 when any of them lies outside `data`.
inline std::uint32_t readNumber(const Bytes& data, std::size_t offset, std::size_t count) {
    if (offset > data.size() || count > data.size() - offset) return 0;
    std::uint32_t value = 0;
    for (std::size_t i = count; i > 0; --i) value = value * 256 + data[offset + i - 1];
    return value;
}
inline std::uint16_t read16(const Bytes& data, std::size_t offset) {
    return static_cast<std::uint16_t>(readNumber(data, offset, 2));
}
inline std::uint32_t read32(const Bytes& data, std::size_t offset) {
    return readNumber(data, offset, 4);
}

// Writes `value` into `count` bytes at `offset`; does nothing when they lie outside `data`.
inline void writeNumber(Bytes& data, std::size_t offset, std::size_t count, std::uint32_t value) {
    if (offset > data.size() || count > data.size() - offset) return;
    for (std::size_t i = 0; i < count; ++i, value >>= 8) data[offset + i] = value & 0xFF;
}

// Appends `value` as `count` little-endian bytes.
inline void appendNumber(Bytes& data, std::size_t count, std::uint32_t value) {
    for (std::size_t i = 0; i < count; ++i, value >>= 8) data.push_back(value & 0xFF);
}
