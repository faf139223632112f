#include "config/number_text.h"

std::int32_t numberFromText(const char* text) {
    const unsigned char* p = reinterpret_cast<const unsigned char*>(text);
    while (*p == ' ' || (*p >= 9 && *p <= 13)) ++p;

    bool negative = false;
    if (*p == '+' || *p == '-') negative = (*p++ == '-');

    std::uint32_t value = 0;  // unsigned, so the wrap-around is defined
    while (*p >= '0' && *p <= '9') value = value * 10u + static_cast<std::uint32_t>(*p++ - '0');
    if (negative) value = 0u - value;
    return static_cast<std::int32_t>(value);
}

int decimalText(std::int32_t value, char* text) {
    // Digits are made from the magnitude as an unsigned number, so INT32_MIN works too.
    std::uint32_t magnitude =
        value < 0 ? 0u - static_cast<std::uint32_t>(value) : static_cast<std::uint32_t>(value);
    char digits[10];
    int count = 0;
    do {
        digits[count++] = static_cast<char>('0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0);

    int length = 0;
    if (value < 0) text[length++] = '-';
    while (count > 0) text[length++] = digits[--count];
    text[length] = '\0';
    return length;
}
