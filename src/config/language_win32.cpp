#include "config/language.h"

#include <windows.h>

std::int32_t systemLanguageIndex() { return languageIndexForLangId(GetSystemDefaultLangID()); }
