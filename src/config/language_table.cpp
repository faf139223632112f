#include "config/language.h"

namespace {

struct LanguageSection {
    std::uint16_t langId;
    std::int8_t section;
};

// Sections 8, 9, 10, 25, 27 and 28 belong to no language.
constexpr LanguageSection kLanguageSections[] = {
    {0x0419, 1},   // Russian
    {0x0407, 2},   // German (Germany)
    {0x0807, 2},   // German (Switzerland)
    {0x040C, 3},   // French (France)
    {0x080C, 3},   // French (Belgium)
    {0x0C0C, 3},   // French (Canada)
    {0x100C, 3},   // French (Switzerland)
    {0x0422, 4},   // Ukrainian
    {0x040A, 5},   // Spanish (Spain, traditional sort)
    {0x080A, 5},   // Spanish (Mexico)
    {0x0C0A, 5},   // Spanish (Spain, modern sort)
    {0x0410, 6},   // Italian (Italy)
    {0x0810, 6},   // Italian (Switzerland)
    {0x0413, 7},   // Dutch (Netherlands)
    {0x0813, 7},   // Dutch (Belgium)
    {0x0414, 11},  // Norwegian (Bokmål)
    {0x0814, 12},  // Norwegian (Nynorsk)
    {0x0416, 13},  // Portuguese (Brazil)
    {0x0816, 13},  // Portuguese (Portugal)
    {0x041B, 14},  // Slovak
    {0x0415, 15},  // Polish
    {0x0405, 16},  // Czech
    {0x040E, 17},  // Hungarian
    {0x0427, 18},  // Lithuanian
    {0x0426, 19},  // Latvian
    {0x0425, 20},  // Estonian
    {0x040F, 21},  // Icelandic
    {0x0408, 22},  // Greek
    {0x0402, 23},  // Bulgarian
    {0x041F, 24},  // Turkish
    {0x0411, 26},  // Japanese
    {0x040D, 29},  // Hebrew
};

}  // namespace

std::int32_t languageIndexForLangId(std::uint32_t langId) {
    const std::uint16_t id = static_cast<std::uint16_t>(langId & 0xFFFF);
    for (const LanguageSection& entry : kLanguageSections) {
        if (entry.langId == id) return entry.section;
    }
    return 0;
}

std::uint8_t charsetForLanguageIndex(std::int32_t languageIndex) {
    return languageIndex == 1 ? kRussianCharset : kDefaultCharset;
}
