// The values of a menu file that the menu and Windows read, as a document holds them: what
// saving reads back through the platform to make sure the file on disk gives them.
#pragma once

#include <string>
#include <vector>

#include "editor/document/profile_document.h"

// One value the file must give: [section] key = value.
struct ValueCheck {
    std::u16string section;
    std::u16string key;
    std::u16string value;
};

// Every value the document holds of the keys of [View], of Title, Prompt and 1 to 5 of each
// language section and of open, icon and label of [autorun]: each section once, in file
// order, named as its heading spells it, its keys in the menu's order. Keys the document
// lacks are left out.
std::vector<ValueCheck> valuesOf(const ProfileDocument& document);
