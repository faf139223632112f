#include "brand/picture/png_file.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

std::uint32_t crc32(const unsigned char* data, std::size_t size, std::uint32_t crc = 0) {
    crc = ~crc;
    for (std::size_t i = 0; i < size; ++i) {
        crc ^= data[i];
        for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

std::uint32_t adler32(const std::vector<unsigned char>& data) {
    std::uint32_t a = 1;
    std::uint32_t b = 0;
    for (unsigned char byte : data) {
        a = (a + byte) % 65521;
        b = (b + a) % 65521;
    }
    return b << 16 | a;
}

void putBigEndian(std::vector<unsigned char>& out, std::uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(static_cast<unsigned char>(value >> shift));
}

// Bits packed least significant first, as deflate stores them.
class BitWriter {
public:
    explicit BitWriter(std::vector<unsigned char>& out) : out_(out) {}
    void put(std::uint32_t value, int count) {
        for (int i = 0; i < count; ++i) {
            current_ |= ((value >> i) & 1u) << used_;
            if (++used_ == 8) flush();
        }
    }
    // A Huffman code, whose bits deflate stores most significant first.
    void putCode(std::uint32_t code, int length) {
        for (int i = length - 1; i >= 0; --i) put((code >> i) & 1u, 1);
    }
    void finish() {
        if (used_ > 0) flush();
    }

private:
    void flush() {
        out_.push_back(static_cast<unsigned char>(current_));
        current_ = 0;
        used_ = 0;
    }
    std::vector<unsigned char>& out_;
    std::uint32_t current_ = 0;
    int used_ = 0;
};

void putLiteral(BitWriter& bits, int symbol) {
    if (symbol < 144) {
        bits.putCode(0x30 + symbol, 8);
    } else if (symbol < 256) {
        bits.putCode(0x190 + symbol - 144, 9);
    } else if (symbol < 280) {
        bits.putCode(symbol - 256, 7);
    } else {
        bits.putCode(0xC0 + symbol - 280, 8);
    }
}

constexpr int lengthBase[29] = {3,  4,  5,  6,  7,  8,  9,  10, 11,  13,  15,  17,  19,  23, 27,
                                31, 35, 43, 51, 59, 67, 83, 99, 115, 131, 163, 195, 227, 258};
constexpr int lengthExtra[29] = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2,
                                 2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
constexpr int distanceBase[30] = {1,    2,    3,    4,    5,    7,    9,    13,    17,    25,
                                  33,   49,   65,   97,   129,  193,  257,  385,   513,   769,
                                  1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577};
constexpr int distanceExtra[30] = {0, 0, 0, 0, 1, 1, 2, 2,  3,  3,  4,  4,  5,  5,  6,
                                   6, 7, 7, 8, 8, 9, 9, 10, 10, 11, 11, 12, 12, 13, 13};

void putMatch(BitWriter& bits, int length, int distance) {
    int l = 28;
    while (lengthBase[l] > length) --l;
    putLiteral(bits, 257 + l);
    bits.put(static_cast<std::uint32_t>(length - lengthBase[l]), lengthExtra[l]);
    int d = 29;
    while (distanceBase[d] > distance) --d;
    bits.putCode(static_cast<std::uint32_t>(d), 5);
    bits.put(static_cast<std::uint32_t>(distance - distanceBase[d]), distanceExtra[d]);
}

// A zlib stream of `data`: one deflate block with the fixed codes.
std::vector<unsigned char> zlibStream(const std::vector<unsigned char>& data) {
    constexpr std::size_t window = 32768;
    constexpr int minMatch = 3;
    constexpr int maxMatch = 258;
    constexpr int maxChain = 128;
    constexpr std::size_t hashSize = 1 << 15;
    std::vector<unsigned char> out = {0x78, 0x9C};
    BitWriter bits(out);
    bits.put(1, 1);  // the final block
    bits.put(1, 2);  // fixed Huffman codes
    std::vector<std::int64_t> head(hashSize, -1);
    std::vector<std::int64_t> previous(window, -1);
    std::size_t size = data.size();
    auto hashAt = [&](std::size_t i) {
        return ((static_cast<std::size_t>(data[i]) << 10) ^
                (static_cast<std::size_t>(data[i + 1]) << 5) ^ data[i + 2]) &
               (hashSize - 1);
    };
    auto insert = [&](std::size_t i) {
        if (i + minMatch > size) return;
        std::size_t h = hashAt(i);
        previous[i % window] = head[h];
        head[h] = static_cast<std::int64_t>(i);
    };
    std::size_t i = 0;
    while (i < size) {
        int bestLength = 0;
        std::size_t bestDistance = 0;
        if (i + minMatch <= size) {
            std::int64_t candidate = head[hashAt(i)];
            int limit = static_cast<int>(size - i < maxMatch ? size - i : maxMatch);
            for (int chain = 0; candidate >= 0 && chain < maxChain; ++chain) {
                std::size_t c = static_cast<std::size_t>(candidate);
                if (i - c > window - 1) break;
                int length = 0;
                while (length < limit && data[c + length] == data[i + length]) ++length;
                if (length > bestLength) {
                    bestLength = length;
                    bestDistance = i - c;
                    if (length == limit) break;
                }
                std::int64_t next = previous[c % window];
                if (next >= candidate) break;  // the slot was reused by a later position
                candidate = next;
            }
        }
        if (bestLength >= minMatch) {
            putMatch(bits, bestLength, static_cast<int>(bestDistance));
            for (int k = 0; k < bestLength; ++k) insert(i + k);
            i += static_cast<std::size_t>(bestLength);
        } else {
            putLiteral(bits, data[i]);
            insert(i);
            ++i;
        }
    }
    putLiteral(bits, 256);
    bits.finish();
    putBigEndian(out, adler32(data));
    return out;
}

int paeth(int a, int b, int c) {
    int p = a + b - c;
    int pa = std::abs(p - a);
    int pb = std::abs(p - b);
    int pc = std::abs(p - c);
    return pa <= pb && pa <= pc ? a : pb <= pc ? b : c;
}

// Every row behind the filter that makes its bytes, read as signed, smallest in sum.
std::vector<unsigned char> filteredRows(const RgbaImage& image) {
    std::size_t stride = static_cast<std::size_t>(image.width) * 4;
    std::vector<unsigned char> out;
    out.reserve((stride + 1) * static_cast<std::size_t>(image.height));
    std::vector<unsigned char> zero(stride, 0);
    std::vector<unsigned char> candidate(stride);
    std::vector<unsigned char> best(stride);
    for (int y = 0; y < image.height; ++y) {
        const unsigned char* row = image.pixels.data() + static_cast<std::size_t>(y) * stride;
        const unsigned char* up = y > 0 ? row - stride : zero.data();
        long bestCost = -1;
        int bestFilter = 0;
        for (int filter = 0; filter < 5; ++filter) {
            long cost = 0;
            for (std::size_t x = 0; x < stride; ++x) {
                int a = x >= 4 ? row[x - 4] : 0;
                int b = up[x];
                int c = x >= 4 ? up[x - 4] : 0;
                int predicted = filter == 0   ? 0
                                : filter == 1 ? a
                                : filter == 2 ? b
                                : filter == 3 ? (a + b) / 2
                                              : paeth(a, b, c);
                candidate[x] = static_cast<unsigned char>(row[x] - predicted);
                cost += candidate[x] < 128 ? candidate[x] : 256 - candidate[x];
            }
            if (bestCost < 0 || cost < bestCost) {
                bestCost = cost;
                bestFilter = filter;
                best.swap(candidate);
            }
        }
        out.push_back(static_cast<unsigned char>(bestFilter));
        out.insert(out.end(), best.begin(), best.end());
    }
    return out;
}

void putChunk(std::vector<unsigned char>& out, const char* type,
              const std::vector<unsigned char>& body) {
    putBigEndian(out, static_cast<std::uint32_t>(body.size()));
    std::size_t start = out.size();
    out.insert(out.end(), type, type + 4);
    out.insert(out.end(), body.begin(), body.end());
    putBigEndian(out, crc32(out.data() + start, out.size() - start));
}

}  // namespace

std::vector<unsigned char> pngFile(const RgbaImage& image) {
    std::vector<unsigned char> out = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    std::vector<unsigned char> header;
    putBigEndian(header, static_cast<std::uint32_t>(image.width));
    putBigEndian(header, static_cast<std::uint32_t>(image.height));
    header.insert(header.end(), {8, 6, 0, 0, 0});  // 8 bits, RGBA, deflate, filters, no interlace
    putChunk(out, "IHDR", header);
    putChunk(out, "IDAT", zlibStream(filteredRows(image)));
    putChunk(out, "IEND", {});
    return out;
}
