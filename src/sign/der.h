// DER, the encoding of Authenticode's structures: values written with their tag and
// length, and values read back from bytes never past their end.
#pragma once

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <string>

#include "bytes/little_endian.h"

namespace der {

// Tags of the universal types the signature uses, and the constructed ones.
constexpr unsigned char kBoolean = 0x01;
constexpr unsigned char kInteger = 0x02;
constexpr unsigned char kBitString = 0x03;
constexpr unsigned char kOctetString = 0x04;
constexpr unsigned char kNull = 0x05;
constexpr unsigned char kOid = 0x06;
constexpr unsigned char kSequence = 0x30;
constexpr unsigned char kSet = 0x31;
// A context-specific tag [n]: constructed (EXPLICIT, or IMPLICIT over a constructed type)
// or primitive (IMPLICIT over a primitive type).
constexpr unsigned char context(unsigned n) { return static_cast<unsigned char>(0xA0 | n); }
constexpr unsigned char contextPrimitive(unsigned n) {
    return static_cast<unsigned char>(0x80 | n);
}

// `content` under `tag` with its definite length.
Bytes value(unsigned char tag, const Bytes& content);
// The concatenation of already encoded values.
Bytes join(std::initializer_list<Bytes> parts);
// A SEQUENCE of the encoded values, in the order given.
Bytes sequence(std::initializer_list<Bytes> parts);
// A SET OF the encoded values, sorted by their encodings as DER requires.
Bytes setOf(std::initializer_list<Bytes> parts);
// An OBJECT IDENTIFIER from its dotted text, such as "1.2.840.113549.1.7.2".
Bytes oid(const char* dotted);
// A non-negative INTEGER of `number`.
Bytes integer(std::uint32_t number);
Bytes octetString(const Bytes& content);
Bytes null();
// An AlgorithmIdentifier: the algorithm's OID and NULL parameters.
Bytes algorithm(const char* dotted);
// A BMPString's content: `text` (UTF-8) as big-endian UTF-16.
Bytes bmpText(const std::string& utf8);

// One value found in bytes: where its tag, its content and its end lie.
struct Item {
    unsigned char tag = 0;
    std::size_t start = 0;    // the tag's offset
    std::size_t content = 0;  // the content's offset
    std::size_t end = 0;      // one past the content
    std::size_t size() const { return end - content; }
};

// The value at `offset`, which must end at or before `limit` (itself within `data`). False
// when the bytes there are no definite-length DER value that fits.
bool read(const Bytes& data, std::size_t offset, std::size_t limit, Item& item);
// The first value inside the constructed `outer`; then the one after `previous` in it.
bool first(const Bytes& data, const Item& outer, Item& item);
bool next(const Bytes& data, const Item& outer, const Item& previous, Item& item);
// The bytes of `item`, tag and length included.
Bytes whole(const Bytes& data, const Item& item);
// The bytes of `item`'s content.
Bytes contentOf(const Bytes& data, const Item& item);

}  // namespace der
