#include "publish/iso_fields.h"

#include <cstdio>

void putLittle16(std::uint8_t* at, std::uint16_t value) {
    at[0] = static_cast<std::uint8_t>(value);
    at[1] = static_cast<std::uint8_t>(value >> 8);
}

void putLittle32(std::uint8_t* at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) at[i] = static_cast<std::uint8_t>(value >> (8 * i));
}

void putBig16(std::uint8_t* at, std::uint16_t value) {
    at[0] = static_cast<std::uint8_t>(value >> 8);
    at[1] = static_cast<std::uint8_t>(value);
}

void putBig32(std::uint8_t* at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) at[i] = static_cast<std::uint8_t>(value >> (8 * (3 - i)));
}

void putBoth16(std::uint8_t* at, std::uint16_t value) {
    putLittle16(at, value);
    putBig16(at + 2, value);
}

void putBoth32(std::uint8_t* at, std::uint32_t value) {
    putLittle32(at, value);
    putBig32(at + 4, value);
}

CalendarTime calendarTime(std::int64_t seconds) {
    // 1900-01-01 and the end of 2155, the range of a record's year byte.
    constexpr std::int64_t kEarliest = -2208988800;
    constexpr std::int64_t kLatest = 5869583999;
    if (seconds < kEarliest) seconds = kEarliest;
    if (seconds > kLatest) seconds = kLatest;
    std::int64_t days = seconds / 86400;
    std::int64_t rest = seconds % 86400;
    if (rest < 0) {
        rest += 86400;
        --days;
    }
    // Days since 1970 as a civil date, counted in 400-year eras from 0000-03-01.
    days += 719468;
    const std::int64_t era = (days >= 0 ? days : days - 146096) / 146097;
    const std::int64_t dayOfEra = days - era * 146097;
    const std::int64_t yearOfEra =
        (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const std::int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const std::int64_t monthIndex = (5 * dayOfYear + 2) / 153;
    CalendarTime time{};
    time.day = static_cast<int>(dayOfYear - (153 * monthIndex + 2) / 5 + 1);
    time.month = static_cast<int>(monthIndex < 10 ? monthIndex + 3 : monthIndex - 9);
    time.year = static_cast<int>(yearOfEra + era * 400 + (time.month <= 2 ? 1 : 0));
    time.hour = static_cast<int>(rest / 3600);
    time.minute = static_cast<int>(rest / 60 % 60);
    time.second = static_cast<int>(rest % 60);
    return time;
}

void putRecordDate(std::uint8_t* at, std::int64_t seconds) {
    const CalendarTime time = calendarTime(seconds);
    at[0] = static_cast<std::uint8_t>(time.year - 1900);
    at[1] = static_cast<std::uint8_t>(time.month);
    at[2] = static_cast<std::uint8_t>(time.day);
    at[3] = static_cast<std::uint8_t>(time.hour);
    at[4] = static_cast<std::uint8_t>(time.minute);
    at[5] = static_cast<std::uint8_t>(time.second);
    at[6] = 0;  // UTC
}

void putVolumeDate(std::uint8_t* at, std::int64_t seconds) {
    const CalendarTime time = calendarTime(seconds);
    char digits[24];
    std::snprintf(digits, sizeof digits, "%04d%02d%02d%02d%02d%02d00", time.year, time.month,
                  time.day, time.hour, time.minute, time.second);
    for (int i = 0; i < 16; ++i) at[i] = static_cast<std::uint8_t>(digits[i]);
    at[16] = 0;  // UTC
}

void putNoVolumeDate(std::uint8_t* at) {
    for (int i = 0; i < 16; ++i) at[i] = '0';
    at[16] = 0;
}

void putPaddedText(std::uint8_t* at, std::size_t size, const std::string& text) {
    for (std::size_t i = 0; i < size; ++i) {
        at[i] = i < text.size() ? static_cast<std::uint8_t>(text[i]) : ' ';
    }
}

void putPaddedUcs2(std::uint8_t* at, std::size_t size, const std::u16string& text) {
    for (std::size_t i = 0; i + 1 < size; i += 2) {
        const char16_t c = i / 2 < text.size() ? text[i / 2] : u' ';
        putBig16(at + i, c);
    }
    if (size % 2 == 1) at[size - 1] = 0;
}
