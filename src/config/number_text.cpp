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
