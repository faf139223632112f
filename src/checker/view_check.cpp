#include "checker/view_check.h"

#include <string>

#include "checker/near_name.h"
#include "checker/profile_scan.h"
#include "checker/report.h"
#include "checker/section_check.h"
#include "checker/text_fit.h"
#include "checker/value_text.h"
#include "config/colour_table.h"
#include "config/language.h"
#include "config/profile_readers.h"
#include "config/view_keys.h"
#include "config/view_settings.h"
#include "state/launcher_state.h"
#include "window/layout.h"
#include "window/menu_fonts.h"

namespace {

const char* const kColourNames[kColourCount] = {
    "black", "black", "navy",    "maroon", "green",  "blue", "teal",  "purple", "olive",
    "grey",  "red",   "magenta", "lime",   "yellow", "cyan", "white", "silver", "light grey",
};

}  // namespace

std::string colourText(std::int32_t index) {
    const char* name = isColourNumber(index) ? kColourNames[index] : "black";
    return std::to_string(index) + " (" + name + ")";
}

namespace {

// The problem with a value of `key` that the menu does not take, or empty when it takes it.
// `taken` is what the menu's number reader made of the value (0 when it kept the default).
std::string refusedValue(const ViewKey& key, const std::string& value, std::int32_t taken,
                         std::int32_t defaultValue) {
    const std::string given = quoted(value);
    switch (key.kind) {
        case ViewKind::Flag:
            if (taken > 0) return {};
            if (defaultValue > 0) {
                return given +
                       " cannot switch this off: the file can only switch a flag on, so it stays " +
                       std::to_string(defaultValue);
            }
            if (isWrittenZero(value)) return {};
            return given +
                   " does not read as a number above 0: it stays 0 (write 1 to switch it on)";
        case ViewKind::Number:
            if (taken > 0) return {};
            return given + " does not read as a number above 0: it stays " +
                   std::to_string(defaultValue);
        case ViewKind::Colour:
            if (taken <= 0) {
                return given + " is not a colour number from 1 to 17: it stays " +
                       colourText(defaultValue);
            }
            if (!isColourNumber(taken)) {
                return "colour " + std::to_string(taken) + " is outside 1 to 17: it stays " +
                       colourText(defaultValue);
            }
            return {};
        case ViewKind::Text:
            if (value.size() < kFaceNameSize) return {};
            return std::to_string(value.size()) + " characters: the menu takes only the first " +
                   std::to_string(kFaceNameSize - 1);
    }
    return {};
}

// What the platform makes of a face name, when it is not the face itself.
std::string substitutedFace(const char* face, const MeasuringFont& font) {
    const std::string inUse = font.faceInUse();
    if (inUse.empty() || sameName(inUse, face)) return {};
    return " (this system draws it as " + inUse + ")";
}

}  // namespace

void checkViewSection(bool present, Report& report) {
    const ViewSettings defaults;
    ViewSettings& view = launcherState.view;
    view = defaults;
    readViewSettings();

    if (!present)
        report.info(sectionPlace(kViewSectionName), "not in the file: the menu uses its defaults");

    // The menu's own fonts in the default character set, to name the faces in use.
    launcherState.textCharset = kDefaultCharset;
    const MeasuringFont itemFont(createItemFont());
    const MeasuringFont commentFont(createCommentFont());

    for (const ViewKey& key : kViewKeys) {
        const Place place = keyPlace(kViewSectionName, key.name);
        if (key.kind == ViewKind::Text) {
            const char* face = view.*key.text;
            const MeasuringFont& font =
                key.text == &ViewSettings::FontName ? itemFont : commentFont;
            report.info(place, std::string(face) + substitutedFace(face, font));
        } else if (key.kind == ViewKind::Colour) {
            report.info(place, colourText(view.*key.number));
        } else {
            report.info(place, std::to_string(view.*key.number));
        }

        const std::string value = rawValue(kViewSectionName, key.name);
        if (value.empty()) continue;
        // The menu's own reader tells whether it takes the value.
        std::int32_t taken = 0;
        readProfileNumber(kViewSectionName, key.name, taken);
        const std::int32_t defaultValue = key.number != nullptr ? defaults.*key.number : 0;
        const std::string problem = refusedValue(key, value, taken, defaultValue);
        if (!problem.empty()) report.warning(place, problem);
    }

    const int captionHeight = itemFont.lineHeight();
    if (captionHeight > kCaptionRoomHeight) {
        report.warning(keyPlace(kViewSectionName, "FontSize"),
                       "a caption is " + std::to_string(captionHeight) +
                           " pixels high and its entry place leaves " +
                           std::to_string(kCaptionRoomHeight) +
                           ": the bottom of every caption is cut");
    }
    if (present) checkSectionKeys(kViewSectionName, false, report);
}
