#include "config/language.h"

namespace {

struct LanguageSection {
    std::uint16_t langId;
    std::int8_t section;
    // The ANSI code page of the language's systems, in which the profile reader hands the
    // section's texts to the menu.
    std::uint16_t codePage;
};

// Sections 8, 9, 10, 25, 27 and 28 belong to no language.
constexpr LanguageSection kLanguageSections[] = {
    {0x0419, 1, 1251},   // Russian
    {0x0407, 2, 1252},   // German (Germany)
    {0x0807, 2, 1252},   // German (Switzerland)
    {0x040C, 3, 1252},   // French (France)
    {0x080C, 3, 1252},   // French (Belgium)
    {0x0C0C, 3, 1252},   // French (Canada)
    {0x100C, 3, 1252},   // French (Switzerland)
    {0x0422, 4, 1251},   // Ukrainian
    {0x040A, 5, 1252},   // Spanish (Spain, traditional sort)
    {0x080A, 5, 1252},   // Spanish (Mexico)
    {0x0C0A, 5, 1252},   // Spanish (Spain, modern sort)
    {0x0410, 6, 1252},   // Italian (Italy)
    {0x0810, 6, 1252},   // Italian (Switzerland)
    {0x0413, 7, 1252},   // Dutch (Netherlands)
    {0x0813, 7, 1252},   // Dutch (Belgium)
    {0x0414, 11, 1252},  // Norwegian (Bokmål)
    {0x0814, 12, 1252},  // Norwegian (Nynorsk)
    {0x0416, 13, 1252},  // Portuguese (Brazil)
    {0x0816, 13, 1252},  // Portuguese (Portugal)
    {0x041B, 14, 1250},  // Slovak
    {0x0415, 15, 1250},  // Polish
    {0x0405, 16, 1250},  // Czech
    {0x040E, 17, 1250},  // Hungarian
    {0x0427, 18, 1257},  // Lithuanian
    {0x0426, 19, 1257},  // Latvian
    {0x0425, 20, 1257},  // Estonian
    {0x040F, 21, 1252},  // Icelandic
    {0x0408, 22, 1253},  // Greek
    {0x0402, 23, 1251},  // Bulgarian
    {0x041F, 24, 1254},  // Turkish
    {0x0411, 26, 932},   // Japanese
    {0x040D, 29, 1255},  // Hebrew
};

}  // namespace

std::int32_t languageIndexForLangId(std::uint32_t langId) {
    const std::uint16_t id = static_cast<std::uint16_t>(langId & 0xFFFF);
    for (const LanguageSection& entry : kLanguageSections) {
        if (entry.langId == id) return entry.section;
    }
    return 0;
}

unsigned codePageForLanguageIndex(std::int32_t languageIndex) {
    for (const LanguageSection& entry : kLanguageSections) {
        if (entry.section == languageIndex) return entry.codePage;
    }
    return kWesternCodePage;
}

std::uint8_t charsetForLanguageIndex(std::int32_t languageIndex) {
    return languageIndex == 1 ? kRussianCharset : kDefaultCharset;
}
