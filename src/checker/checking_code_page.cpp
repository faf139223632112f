#include "checker/checking_code_page.h"

bool isMultiByteCodePage(unsigned codePage) {
    switch (codePage) {
        case 932:    // Japanese
        case 936:    // Chinese, simplified
        case 949:    // Korean
        case 950:    // Chinese, traditional
        case 1361:   // Korean, Johab
        case 65001:  // UTF-8
            return true;
        default:
            return false;
    }
}

std::vector<std::int32_t> sectionsGarbledOn(unsigned checkingCodePage,
                                            const std::vector<SectionText>& sections) {
    std::vector<std::int32_t> garbled;
    if (!isMultiByteCodePage(checkingCodePage)) return garbled;
    for (const SectionText& section : sections) {
        if (section.beyondAscii && section.codePage != checkingCodePage)
            garbled.push_back(section.index);
    }
    return garbled;
}
