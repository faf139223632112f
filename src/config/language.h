// The language section: which numbered section of the menu file serves the system's
// language, and the title, prompt and character set taken from it.
#pragma once

#include <cstdint>

constexpr std::uint8_t kRussianCharset = 204;  // RUSSIAN_CHARSET
constexpr std::uint8_t kDefaultCharset = 1;    // DEFAULT_CHARSET

// The section number for a language identifier; 0 for every language without a section of
// its own. Only the low 16 bits of `langId` count.
std::int32_t languageIndexForLangId(std::uint32_t langId);

// The ANSI code page of the systems whose language leads to section `languageIndex`: the
// code page in which the profile reader hands that section's texts to the menu. 1251 for
// the Russian, Ukrainian and Bulgarian sections, 1250 for the Polish, Czech, Slovak and
// Hungarian ones, and so on; 1252 for section 0 (English) and for any number no language
// leads to.
constexpr unsigned kWesternCodePage = 1252;
unsigned codePageForLanguageIndex(std::int32_t languageIndex);

// 204 (Russian) for section 1, else 1 (the default character set).
std::uint8_t charsetForLanguageIndex(std::int32_t languageIndex);

// The section number of the system's default language.
std::int32_t systemLanguageIndex();

// Chooses the section in force and fills languageIndex, sectionName, menuTitle,
// textCharset and menuPrompt of launcherState. A section without a title gives way to
// section "0". menuTitle must be empty when it is called.
void loadLanguageSection();

// The same for the section number `languageIndex` instead of the system's language.
void loadLanguageSectionFor(std::int32_t languageIndex);
