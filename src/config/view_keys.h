// The keys of the section "View": each one's name as it stands in the menu file, how the
// menu reads it and the field of ViewSettings it is read into, in the order the menu reads
// them. The menu's reader and the checker both go by this table.
#pragma once

#include <cstdint>

#include "config/view_settings.h"

constexpr char kViewSectionName[] = "View";

enum class ViewKind {
    Flag,    // a number above 0 switches it on; the file cannot switch it off
    Number,  // a number above 0 replaces the setting
    Colour,  // a number above 0 that names a colour of the table replaces the setting
    Text,    // a face name, cut to what its field holds
};

struct ViewKey {
    const char* name;
    ViewKind kind;
    std::int32_t ViewSettings::*number;         // every kind but Text
    char (ViewSettings::*text)[kFaceNameSize];  // Text
};

inline constexpr ViewKey kViewKeys[] = {
    {"ShowNumbers", ViewKind::Flag, &ViewSettings::ShowNumbers, nullptr},
    {"FontName", ViewKind::Text, nullptr, &ViewSettings::FontName},
    {"FontSize", ViewKind::Number, &ViewSettings::FontSize, nullptr},
    {"FontBold", ViewKind::Flag, &ViewSettings::FontBold, nullptr},
    {"FontItalic", ViewKind::Flag, &ViewSettings::FontItalic, nullptr},
    {"FontUnderlined", ViewKind::Flag, &ViewSettings::FontUnderlined, nullptr},
    {"FontColor", ViewKind::Colour, &ViewSettings::FontColor, nullptr},
    {"FontActiveColor", ViewKind::Colour, &ViewSettings::FontActiveColor, nullptr},
    {"FontCommentName", ViewKind::Text, nullptr, &ViewSettings::FontCommentName},
    {"FontCommentSize", ViewKind::Number, &ViewSettings::FontCommentSize, nullptr},
    {"FontCommentColor", ViewKind::Colour, &ViewSettings::FontCommentColor, nullptr},
    {"BkCommentColor", ViewKind::Colour, &ViewSettings::BkCommentColor, nullptr},
};

// The key read into `field` of ViewSettings: its name and kind. Every field has one.
constexpr const ViewKey& viewKeyOf(std::int32_t ViewSettings::*field) {
    for (const ViewKey& key : kViewKeys) {
        if (key.number == field) return key;
    }
    return kViewKeys[0];
}
constexpr const ViewKey& viewKeyOf(char (ViewSettings::*field)[kFaceNameSize]) {
    for (const ViewKey& key : kViewKeys) {
        if (key.text == field) return key;
    }
    return kViewKeys[0];
}
