#include "editor/preview/preview_languages.h"

#include <windows.h>

#include <algorithm>
#include <map>
#include <utility>

#include "config/language.h"

namespace {

// One of the locale's names in English, or empty when this system does not know it.
std::wstring localeName(std::uint16_t langId, LCTYPE what) {
    wchar_t name[128] = {};
    const int length = GetLocaleInfoW(MAKELCID(langId, SORT_DEFAULT), what, name, 128);
    return length > 1 ? std::wstring(name, static_cast<std::size_t>(length - 1)) : std::wstring();
}

// "German (Germany, Switzerland)", "Russian": each language once, with its countries when
// the section serves it in more than one.
std::wstring namesOf(const std::vector<std::uint16_t>& langIds) {
    std::vector<std::pair<std::wstring, std::vector<std::wstring>>> languages;
    for (const std::uint16_t id : langIds) {
        std::wstring language = localeName(id, LOCALE_SENGLANGUAGE);
        if (language.empty()) language = L"language " + std::to_wstring(id);
        auto found =
            std::find_if(languages.begin(), languages.end(),
                         [&language](const auto& known) { return known.first == language; });
        if (found == languages.end()) {
            languages.emplace_back(language, std::vector<std::wstring>());
            found = languages.end() - 1;
        }
        const std::wstring country = localeName(id, LOCALE_SENGCOUNTRY);
        std::vector<std::wstring>& countries = found->second;
        if (!country.empty() &&
            std::find(countries.begin(), countries.end(), country) == countries.end())
            countries.push_back(country);
    }
    std::wstring text;
    for (const auto& language : languages) {
        if (!text.empty()) text += L", ";
        text += language.first;
        if (language.second.size() < 2) continue;
        text += L" (";
        for (std::size_t i = 0; i < language.second.size(); ++i)
            text += (i == 0 ? L"" : L", ") + language.second[i];
        text += L")";
    }
    return text;
}

// Every section the language table leads to, worked out once: the table is walked through
// all 65536 language identifiers, as the menu looks them up.
const std::vector<PreviewLanguage>& knownLanguages() {
    static const std::vector<PreviewLanguage> languages = [] {
        std::map<std::int32_t, std::vector<std::uint16_t>> sections;
        for (std::uint32_t id = 0; id <= 0xFFFF; ++id) {
            const std::int32_t index = languageIndexForLangId(id);
            if (index != 0) sections[index].push_back(static_cast<std::uint16_t>(id));
        }
        std::vector<PreviewLanguage> found = {{0, L"English and every other language"}};
        for (const auto& section : sections)
            found.push_back({section.first, namesOf(section.second)});
        return found;
    }();
    return languages;
}

}  // namespace

std::vector<PreviewLanguage> previewLanguages() { return knownLanguages(); }

std::wstring previewLanguageName(std::int32_t index) {
    for (const PreviewLanguage& language : knownLanguages()) {
        if (language.index == index) return language.name;
    }
    return {};
}

std::int32_t systemPreviewLanguage() { return systemLanguageIndex(); }
