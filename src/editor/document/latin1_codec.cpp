#include "editor/document/latin1_codec.h"

std::u16string Latin1Codec::decode(const std::string& bytes, const std::u16string&) const {
    std::u16string text;
    text.reserve(bytes.size());
    for (const char byte : bytes) text += static_cast<char16_t>(static_cast<unsigned char>(byte));
    return text;
}

bool Latin1Codec::encode(const std::u16string& text, const std::u16string&,
                         std::string& bytes) const {
    bytes.clear();
    bytes.reserve(text.size());
    for (const char16_t c : text) {
        if (c > 0xFF) return false;
        bytes += static_cast<char>(c);
    }
    return true;
}
