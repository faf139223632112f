#include "window/item_text.h"

#include <cstring>

#include "startup/lead_byte.h"

std::size_t formatItemText(char* text, int index, const char* caption, int showNumbers) {
    std::memset(text, 0, kItemTextSize);
    std::size_t length = 0;
    if (showNumbers == 1) {
        // Entries are numbered 1 to 5; the slot's number always fits.
        const int number = index + 1;
        if (number >= 10) text[length++] = static_cast<char>('0' + (number / 10) % 10);
        text[length++] = static_cast<char>('0' + number % 10);
        text[length++] = '.';
        text[length++] = ' ';
        text[length++] = ' ';
    }
    // Copy whole characters while they fit.
    const char* p = caption;
    while (*p != '\0') {
        const std::size_t step = (isLeadByte(static_cast<unsigned char>(*p)) && p[1] != '\0') ? 2 : 1;
        if (length + step > kItemTextSize - 1) break;
        std::memcpy(text + length, p, step);
        length += step;
        p += step;
    }
    return length;
}
