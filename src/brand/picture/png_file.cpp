#include "brand/picture/png_file.h"

#include <algorithm>
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

constexpr int lengthBase[29] = {3,  4,  5,  6,  7,  8,  9,  10, 11,  13,  15,  17,  19,  23, 27,
                                31, 35, 43, 51, 59, 67, 83, 99, 115, 131, 163, 195, 227, 258};
constexpr int lengthExtra[29] = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2,
                                 2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
constexpr int distanceBase[30] = {1,    2,    3,    4,    5,    7,    9,    13,    17,    25,
                                  33,   49,   65,   97,   129,  193,  257,  385,   513,   769,
                                  1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577};
constexpr int distanceExtra[30] = {0, 0, 0, 0, 1, 1, 2, 2,  3,  3,  4,  4,  5,  5,  6,
                                   6, 7, 7, 8, 8, 9, 9, 10, 10, 11, 11, 12, 12, 13, 13};

// A literal byte (distance 0) or a repeat of `length` bytes from `distance` back.
struct Token {
    int length;
    int distance;
};

int lengthCode(int length) {
    int l = 28;
    while (lengthBase[l] > length) --l;
    return l;
}

int distanceCode(int distance) {
    int d = 29;
    while (distanceBase[d] > distance) --d;
    return d;
}

// The data as literals and repeats, found greedily through hash chains.
std::vector<Token> repeatsOf(const std::vector<unsigned char>& data) {
    constexpr std::size_t window = 32768;
    constexpr int minMatch = 3;
    constexpr int maxMatch = 258;
    constexpr int maxChain = 128;
    constexpr std::size_t hashSize = 1 << 15;
    std::vector<Token> tokens;
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
            tokens.push_back({bestLength, static_cast<int>(bestDistance)});
            for (int k = 0; k < bestLength; ++k) insert(i + k);
            i += static_cast<std::size_t>(bestLength);
        } else {
            tokens.push_back({data[i], 0});
            insert(i);
            ++i;
        }
    }
    return tokens;
}

// Huffman code lengths of at most `maxBits` for the symbols' counts (0: unused). Leaves
// are taken in order of count, then symbol, so the lengths are the same everywhere; when
// the tree is too deep the counts are halved and it is built again.
std::vector<int> codeLengths(std::vector<std::uint32_t> counts, int maxBits) {
    std::size_t symbols = counts.size();
    for (;;) {
        std::vector<int> lengths(symbols, 0);
        std::vector<std::size_t> leaves;
        for (std::size_t s = 0; s < symbols; ++s) {
            if (counts[s] > 0) leaves.push_back(s);
        }
        if (leaves.size() == 1) lengths[leaves[0]] = 1;
        if (leaves.size() <= 1) return lengths;
        std::stable_sort(leaves.begin(), leaves.end(),
                         [&](std::size_t a, std::size_t b) { return counts[a] < counts[b]; });
        // Nodes: the leaves first, then the joined nodes in the order they are made.
        std::size_t count = leaves.size();
        std::vector<std::uint64_t> weight(2 * count - 1);
        std::vector<std::size_t> parent(2 * count - 1, 0);
        for (std::size_t k = 0; k < count; ++k) weight[k] = counts[leaves[k]];
        std::size_t nextLeaf = 0;
        std::size_t nextJoined = count;
        for (std::size_t made = count; made < 2 * count - 1; ++made) {
            std::size_t pick[2];
            for (std::size_t& p : pick) {
                bool leaf = nextLeaf < count &&
                            (nextJoined >= made || weight[nextLeaf] <= weight[nextJoined]);
                p = leaf ? nextLeaf++ : nextJoined++;
            }
            weight[made] = weight[pick[0]] + weight[pick[1]];
            parent[pick[0]] = made;
            parent[pick[1]] = made;
        }
        std::vector<int> depth(2 * count - 1, 0);
        int deepest = 0;
        for (std::size_t k = 2 * count - 1; k-- > 0;) {
            if (k != 2 * count - 2) depth[k] = depth[parent[k]] + 1;
            if (k < count) {
                lengths[leaves[k]] = depth[k];
                deepest = depth[k] > deepest ? depth[k] : deepest;
            }
        }
        if (deepest <= maxBits) return lengths;
        for (std::uint32_t& c : counts) c = c > 0 ? (c + 1) / 2 : 0;
    }
}

// Canonical codes for the lengths, as deflate assigns them.
std::vector<std::uint32_t> canonicalCodes(const std::vector<int>& lengths) {
    std::uint32_t perLength[16] = {};
    for (int l : lengths) perLength[l]++;
    perLength[0] = 0;
    std::uint32_t next[16] = {};
    std::uint32_t code = 0;
    for (int bits = 1; bits < 16; ++bits) {
        code = (code + perLength[bits - 1]) << 1;
        next[bits] = code;
    }
    std::vector<std::uint32_t> codes(lengths.size(), 0);
    for (std::size_t s = 0; s < lengths.size(); ++s) {
        if (lengths[s] > 0) codes[s] = next[lengths[s]]++;
    }
    return codes;
}

// The code lengths run-length coded with the symbols 0..18: {symbol, extra value}.
std::vector<Token> runsOf(const std::vector<int>& lengths) {
    std::vector<Token> runs;
    for (std::size_t i = 0; i < lengths.size();) {
        std::size_t run = 1;
        while (i + run < lengths.size() && lengths[i + run] == lengths[i]) ++run;
        if (lengths[i] == 0 && run >= 3) {
            std::size_t take = run > 138 ? 138 : run;
            runs.push_back(take >= 11 ? Token{18, static_cast<int>(take - 11)}
                                      : Token{17, static_cast<int>(take - 3)});
            i += take;
        } else if (lengths[i] != 0 && run >= 4) {
            std::size_t take = run - 1 > 6 ? 6 : run - 1;
            runs.push_back({lengths[i], 0});
            runs.push_back({16, static_cast<int>(take - 3)});
            i += take + 1;
        } else {
            runs.push_back({lengths[i], 0});
            ++i;
        }
    }
    return runs;
}

// A zlib stream of `data`: one deflate block with codes made for it.
std::vector<unsigned char> zlibStream(const std::vector<unsigned char>& data) {
    std::vector<Token> tokens = repeatsOf(data);
    std::vector<std::uint32_t> literalCounts(286, 0);
    std::vector<std::uint32_t> distanceCounts(30, 0);
    for (const Token& t : tokens) {
        if (t.distance == 0) {
            literalCounts[static_cast<std::size_t>(t.length)]++;
        } else {
            literalCounts[static_cast<std::size_t>(257 + lengthCode(t.length))]++;
            distanceCounts[static_cast<std::size_t>(distanceCode(t.distance))]++;
        }
    }
    literalCounts[256] = 1;
    if (std::count(distanceCounts.begin(), distanceCounts.end(), 0u) == 30) distanceCounts[0] = 1;
    std::vector<int> literalLengths = codeLengths(literalCounts, 15);
    std::vector<int> distanceLengths = codeLengths(distanceCounts, 15);
    std::size_t literalsUsed = 286;
    while (literalLengths[literalsUsed - 1] == 0) --literalsUsed;
    std::size_t distancesUsed = 30;
    while (distancesUsed > 1 && distanceLengths[distancesUsed - 1] == 0) --distancesUsed;

    std::vector<int> allLengths(literalLengths.begin(),
                                literalLengths.begin() + static_cast<std::ptrdiff_t>(literalsUsed));
    allLengths.insert(allLengths.end(), distanceLengths.begin(),
                      distanceLengths.begin() + static_cast<std::ptrdiff_t>(distancesUsed));
    std::vector<Token> runs = runsOf(allLengths);
    std::vector<std::uint32_t> runCounts(19, 0);
    for (const Token& r : runs) runCounts[static_cast<std::size_t>(r.length)]++;
    std::vector<int> runLengths = codeLengths(runCounts, 7);
    std::vector<std::uint32_t> runCodes = canonicalCodes(runLengths);
    static constexpr int order[19] = {16, 17, 18, 0, 8,  7, 9,  6, 10, 5,
                                      11, 4,  12, 3, 13, 2, 14, 1, 15};
    std::size_t orderUsed = 19;
    while (orderUsed > 4 && runLengths[static_cast<std::size_t>(order[orderUsed - 1])] == 0)
        --orderUsed;

    std::vector<unsigned char> out = {0x78, 0x9C};
    BitWriter bits(out);
    bits.put(1, 1);  // the final block
    bits.put(2, 2);  // codes of its own
    bits.put(static_cast<std::uint32_t>(literalsUsed - 257), 5);
    bits.put(static_cast<std::uint32_t>(distancesUsed - 1), 5);
    bits.put(static_cast<std::uint32_t>(orderUsed - 4), 4);
    for (std::size_t k = 0; k < orderUsed; ++k)
        bits.put(static_cast<std::uint32_t>(runLengths[static_cast<std::size_t>(order[k])]), 3);
    for (const Token& r : runs) {
        std::size_t symbol = static_cast<std::size_t>(r.length);
        bits.putCode(runCodes[symbol], runLengths[symbol]);
        if (symbol == 16) bits.put(static_cast<std::uint32_t>(r.distance), 2);
        if (symbol == 17) bits.put(static_cast<std::uint32_t>(r.distance), 3);
        if (symbol == 18) bits.put(static_cast<std::uint32_t>(r.distance), 7);
    }

    std::vector<std::uint32_t> literalCodes = canonicalCodes(literalLengths);
    std::vector<std::uint32_t> distanceCodes = canonicalCodes(distanceLengths);
    auto putSymbol = [&](std::size_t symbol) {
        bits.putCode(literalCodes[symbol], literalLengths[symbol]);
    };
    for (const Token& t : tokens) {
        if (t.distance == 0) {
            putSymbol(static_cast<std::size_t>(t.length));
            continue;
        }
        int l = lengthCode(t.length);
        putSymbol(static_cast<std::size_t>(257 + l));
        bits.put(static_cast<std::uint32_t>(t.length - lengthBase[l]), lengthExtra[l]);
        std::size_t d = static_cast<std::size_t>(distanceCode(t.distance));
        bits.putCode(distanceCodes[d], distanceLengths[d]);
        bits.put(static_cast<std::uint32_t>(t.distance - distanceBase[d]), distanceExtra[d]);
    }
    putSymbol(256);
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
