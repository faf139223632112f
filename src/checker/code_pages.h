// The ANSI code page of the Windows systems whose language leads to each language section:
// the code page the profile reader hands that section's texts to the menu in.
#pragma once

#include <cstdint>

// 1251 for the Russian, Ukrainian and Bulgarian sections, 1250 for the Polish, Czech,
// Slovak and Hungarian ones, and so on; 1252 for section 0 (English) and for any number no
// language leads to.
unsigned codePageForSection(std::int32_t languageIndex);
