#include "window/item_text.h"

#include <cstring>

#include "config/number_text.h"
#include "startup/lead_byte.h"

std::size_t formatItemText(char* text, int index, const char* caption, int showNumbers) {
    std::memset(text, 0, kItemTextSize);
    std::size_t length = 0;
    if (showNumbers == 1) {
        length = static_cast<std::size_t>(decimalText(index + 1, text));
        text[length++] = '.';
        text[length++] = ' ';
        text[length++] = ' ';
    }
    // Copy whole characters while they fit.
    const char* p = caption;
    while (*p != '\0') {
        const std::size_t step =
            (isLeadByte(static_cast<unsigned char>(*p)) && p[1] != '\0') ? 2 : 1;
        if (length + step > kItemTextSize - 1) break;
        std::memcpy(text + length, p, step);
        length += step;
        p += step;
    }
    return length;
}
