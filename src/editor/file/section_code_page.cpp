#include "editor/file/section_code_page.h"

#include "config/language.h"

SectionClass classifyDocumentSection(const std::u16string& name) {
    std::string ascii;
    for (const char16_t c : name) {
        if (c >= 0x80) return {SectionKind::Unread, 0};
        ascii += static_cast<char>(c);
    }
    return classifySection(ascii);
}

unsigned sectionCodePage(const std::u16string& name) {
    const SectionClass section = classifyDocumentSection(name);
    if (section.kind != SectionKind::Language) return kWesternCodePage;
    return codePageForLanguageIndex(section.languageIndex);
}
