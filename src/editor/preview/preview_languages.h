// The sections the menu reads, by the languages that lead to them: for the editor's
// language picker and the preview's words.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// A section the menu reads, for a language picker: its number and its languages in words
// ("German (Germany, Switzerland)").
struct PreviewLanguage {
    std::int32_t index;
    std::wstring name;
};

// Each section number the menu's language table leads to, [0] first, then in order.
std::vector<PreviewLanguage> previewLanguages();

// The languages of section `index` in words; empty for a number no language leads to.
std::wstring previewLanguageName(std::int32_t index);

// The section of this system's own language.
std::int32_t systemPreviewLanguage();
