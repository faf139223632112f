// A stand-in for the platform's code pages, for hosts and tests: every section is read
// and written as ISO 8859-1 (each byte is the character of the same number).
#pragma once

#include "editor/document/ansi_codec.h"

class Latin1Codec : public AnsiCodec {
public:
    std::u16string decode(const std::string& bytes, const std::u16string& section) const override;
    // False for characters above U+00FF.
    bool encode(const std::u16string& text, const std::u16string& section,
                std::string& bytes) const override;
};
