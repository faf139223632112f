// Line-break unescaping against the plain description of it: from left to right, a
// backslash directly followed by a lowercase n becomes one line feed, the rest of the text
// moving one place to the left.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "config/menu_item.h"

static void referenceUnescape(char* text) {
    if (text[0] == '\0') return;
    for (std::size_t i = 1;; ++i) {
        if (text[i - 1] == '\\' && text[i] == 'n') {
            text[i - 1] = '\n';
            std::memmove(text + i, text + i + 1, std::strlen(text + i + 1) + 1);
        }
        if (text[i] == '\0') return;
    }
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    char* text = static_cast<char*>(std::malloc(size + 1));
    char* expected = static_cast<char*>(std::malloc(size + 1));
    std::size_t length = 0;
    for (std::size_t i = 0; i < size; ++i) {
        if (data[i] != 0) text[length++] = static_cast<char>(data[i]);
    }
    text[length] = '\0';
    std::memcpy(expected, text, length + 1);

    static MenuItem item("", "", "", "", "", false);
    item.unescapeLineBreaks(text);
    referenceUnescape(expected);
    if (std::strcmp(text, expected) != 0) std::abort();
    std::free(text);
    std::free(expected);
    return 0;
}
