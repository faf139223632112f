#include "checker/code_pages.h"

unsigned codePageForSection(std::int32_t languageIndex) {
    switch (languageIndex) {
        case 1:   // Russian
        case 4:   // Ukrainian
        case 23:  // Bulgarian
            return 1251;
        case 14:  // Slovak
        case 15:  // Polish
        case 16:  // Czech
        case 17:  // Hungarian
            return 1250;
        case 18:  // Lithuanian
        case 19:  // Latvian
        case 20:  // Estonian
            return 1257;
        case 22:  // Greek
            return 1253;
        case 24:  // Turkish
            return 1254;
        case 26:  // Japanese
            return 932;
        case 29:  // Hebrew
            return 1255;
        default:  // English, German, French, Spanish, Italian, Dutch, Norwegian, Portuguese,
                  // Icelandic
            return 1252;
    }
}
