#include <windows.h>

#include "config/language.h"

std::int32_t systemLanguageIndex() { return languageIndexForLangId(GetSystemDefaultLangID()); }
