#include "sign/der.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

namespace der {

Bytes value(unsigned char tag, const Bytes& content) {
    Bytes out{tag};
    const std::size_t size = content.size();
    if (size < 0x80) {
        out.push_back(static_cast<unsigned char>(size));
    } else {
        unsigned char digits[sizeof(std::size_t)];
        int count = 0;
        for (std::size_t rest = size; rest != 0; rest >>= 8)
            digits[count++] = static_cast<unsigned char>(rest & 0xFF);
        out.push_back(static_cast<unsigned char>(0x80 | count));
        while (count > 0) out.push_back(digits[--count]);
    }
    out.insert(out.end(), content.begin(), content.end());
    return out;
}

Bytes join(std::initializer_list<Bytes> parts) {
    Bytes out;
    for (const Bytes& part : parts) out.insert(out.end(), part.begin(), part.end());
    return out;
}

Bytes sequence(std::initializer_list<Bytes> parts) { return value(kSequence, join(parts)); }

Bytes setOf(std::initializer_list<Bytes> parts) {
    std::vector<Bytes> sorted(parts);
    std::sort(sorted.begin(), sorted.end());
    Bytes content;
    for (const Bytes& part : sorted) content.insert(content.end(), part.begin(), part.end());
    return value(kSet, content);
}

Bytes oid(const char* dotted) {
    std::vector<std::uint32_t> arcs;
    for (const char* at = dotted; *at != '\0';) {
        char* end = nullptr;
        arcs.push_back(static_cast<std::uint32_t>(std::strtoul(at, &end, 10)));
        at = *end == '.' ? end + 1 : end;
    }
    Bytes content;
    for (std::size_t i = 1; i < arcs.size(); ++i) {
        const std::uint32_t arc = i == 1 ? arcs[0] * 40 + arcs[1] : arcs[i];
        unsigned char base128[5];
        int count = 0;
        std::uint32_t rest = arc;
        do {
            base128[count++] = static_cast<unsigned char>(rest & 0x7F);
            rest >>= 7;
        } while (rest != 0);
        while (count > 1) content.push_back(static_cast<unsigned char>(base128[--count] | 0x80));
        content.push_back(base128[0]);
    }
    return value(kOid, content);
}

Bytes integer(std::uint32_t number) {
    Bytes content;
    for (int shift = 24; shift > 0; shift -= 8)
        if ((number >> shift) != 0 || !content.empty())
            content.push_back(static_cast<unsigned char>(number >> shift));
    content.push_back(static_cast<unsigned char>(number));
    // A leading bit of one would make it negative.
    if (content[0] & 0x80) content.insert(content.begin(), 0);
    return value(kInteger, content);
}

Bytes octetString(const Bytes& content) { return value(kOctetString, content); }

Bytes null() { return Bytes{kNull, 0}; }

Bytes algorithm(const char* dotted) { return sequence({oid(dotted), null()}); }

Bytes bmpText(const std::string& utf8) {
    Bytes out;
    for (std::size_t i = 0; i < utf8.size();) {
        const unsigned char lead = static_cast<unsigned char>(utf8[i]);
        std::uint32_t code = lead;
        int more = 0;
        if (lead >= 0xF0) {
            code = lead & 0x07;
            more = 3;
        } else if (lead >= 0xE0) {
            code = lead & 0x0F;
            more = 2;
        } else if (lead >= 0xC0) {
            code = lead & 0x1F;
            more = 1;
        }
        ++i;
        for (; more > 0 && i < utf8.size(); --more, ++i)
            code = code << 6 | (static_cast<unsigned char>(utf8[i]) & 0x3F);
        // A BMPString holds the basic plane only; anything beyond it becomes a question mark.
        if (code > 0xFFFF || (code >= 0xD800 && code < 0xE000)) code = '?';
        out.push_back(static_cast<unsigned char>(code >> 8));
        out.push_back(static_cast<unsigned char>(code & 0xFF));
    }
    return out;
}

bool read(const Bytes& data, std::size_t offset, std::size_t limit, Item& item) {
    if (limit > data.size() || offset >= limit || limit - offset < 2) return false;
    item.tag = data[offset];
    // Tags above 30 take more bytes; nothing Authenticode needs uses them.
    if ((item.tag & 0x1F) == 0x1F) return false;
    std::size_t at = offset + 1;
    std::size_t size = data[at++];
    if (size & 0x80) {
        const std::size_t count = size & 0x7F;
        if (count == 0 || count > 4 || limit - at < count) return false;
        size = 0;
        for (std::size_t i = 0; i < count; ++i) size = size << 8 | data[at++];
    }
    if (size > limit - at) return false;
    item.start = offset;
    item.content = at;
    item.end = at + size;
    return true;
}

bool first(const Bytes& data, const Item& outer, Item& item) {
    return (outer.tag & 0x20) != 0 && read(data, outer.content, outer.end, item);
}

bool next(const Bytes& data, const Item& outer, const Item& previous, Item& item) {
    return read(data, previous.end, outer.end, item);
}

Bytes whole(const Bytes& data, const Item& item) {
    return Bytes(data.begin() + static_cast<std::ptrdiff_t>(item.start),
                 data.begin() + static_cast<std::ptrdiff_t>(item.end));
}

Bytes contentOf(const Bytes& data, const Item& item) {
    return Bytes(data.begin() + static_cast<std::ptrdiff_t>(item.content),
                 data.begin() + static_cast<std::ptrdiff_t>(item.end));
}

}  // namespace der
