#include "editor/file/menu_values.h"

#include "checker/autorun_check.h"
#include "editor/document/profile_syntax.h"
#include "editor/file/section_code_page.h"

namespace {

std::u16string widened(const std::string& ascii) { return {ascii.begin(), ascii.end()}; }

// The keys the menu or Windows reads in the section named `name`; none for other sections.
std::vector<std::u16string> keysRead(const std::u16string& name) {
    std::vector<std::u16string> keys;
    const SectionClass section = classifyDocumentSection(name);
    if (section.kind == SectionKind::View) {
        for (const std::string& key : viewKeys()) keys.push_back(widened(key));
    } else if (section.kind == SectionKind::Language) {
        for (const std::string& key : languageKeys()) keys.push_back(widened(key));
    } else if (sameName(name, widened(kAutorunSectionName))) {
        for (const char* key : kAutorunKeys) keys.push_back(widened(key));
    }
    return keys;
}

}  // namespace

std::vector<ValueCheck> valuesOf(const ProfileDocument& document) {
    std::vector<ValueCheck> values;
    std::vector<std::u16string> seen;
    for (const ProfileLine& line : document.lines()) {
        const LineParts parts = lineParts(line.text);
        if (parts.kind != LineKind::Section) continue;
        const std::u16string name = nameOf(line.text, parts);
        bool earlier = false;
        for (const std::u16string& other : seen) earlier = earlier || sameName(other, name);
        if (earlier) continue;
        seen.push_back(name);
        for (const std::u16string& key : keysRead(name)) {
            if (const std::optional<std::u16string> value = document.value(name, key)) {
                values.push_back({name, key, *value});
            }
        }
    }
    return values;
}
