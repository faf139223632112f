// The fields of ISO 9660 structures as bytes: numbers recorded in both byte orders, dates,
// and padded texts. Each writes into a buffer the caller sized; none writes past `size`.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// Writes `value` at `at` little-endian then big-endian (4 bytes for 16 bits, 8 for 32).
void putBoth16(std::uint8_t* at, std::uint16_t value);
void putBoth32(std::uint8_t* at, std::uint32_t value);
void putLittle16(std::uint8_t* at, std::uint16_t value);
void putLittle32(std::uint8_t* at, std::uint32_t value);
void putBig16(std::uint8_t* at, std::uint16_t value);
void putBig32(std::uint8_t* at, std::uint32_t value);

// A time in seconds since 1970-01-01 UTC as a calendar date and time (UTC), the year kept
// within what a directory record can hold (1900-2155).
struct CalendarTime {
    int year, month, day, hour, minute, second;
};
CalendarTime calendarTime(std::int64_t seconds);

// The 7-byte date of a directory record, and the 17-byte date of a volume descriptor.
void putRecordDate(std::uint8_t* at, std::int64_t seconds);
void putVolumeDate(std::uint8_t* at, std::int64_t seconds);
// The 17-byte volume descriptor date that means "not given" (sixteen "0" and a zero).
void putNoVolumeDate(std::uint8_t* at);

// `text` into a field of `size` bytes, padded with spaces; cut at `size`.
void putPaddedText(std::uint8_t* at, std::size_t size, const std::string& text);
// `text` as big-endian UCS-2 into a field of `size` bytes, padded with UCS-2 spaces.
void putPaddedUcs2(std::uint8_t* at, std::size_t size, const std::u16string& text);
