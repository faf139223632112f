#include "checker/value_text.h"

#include "config/number_text.h"

static const char kBlanks[] = " \t\n\v\f\r";

std::string trimmed(const std::string& text) {
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos) return {};
    const std::size_t last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

bool isWrittenZero(const std::string& value) {
    std::size_t i = value.find_first_not_of(kBlanks);
    if (i == std::string::npos) return false;
    if (value[i] == '+' || value[i] == '-') ++i;
    return i < value.size() && value[i] >= '0' && value[i] <= '9' &&
           numberFromText(value.c_str()) == 0;
}

bool isBlank(const std::string& value) {
    return value.find_first_not_of(kBlanks) == std::string::npos;
}

bool looksLikeUtf8(const std::string& bytes) {
    if (bytes.compare(0, 3, "\xEF\xBB\xBF") == 0) return true;
    bool beyondAscii = false;
    for (std::size_t i = 0; i < bytes.size();) {
        const unsigned char lead = static_cast<unsigned char>(bytes[i]);
        std::size_t following = 0;
        if (lead < 0x80) {
            ++i;
            continue;
        } else if (lead >= 0xC2 && lead <= 0xDF) {
            following = 1;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            following = 2;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            following = 3;
        } else {
            return false;
        }
        if (i + following >= bytes.size()) return false;
        for (std::size_t k = 1; k <= following; ++k) {
            if ((static_cast<unsigned char>(bytes[i + k]) & 0xC0) != 0x80) return false;
        }
        beyondAscii = true;
        i += following + 1;
    }
    return beyondAscii;
}
