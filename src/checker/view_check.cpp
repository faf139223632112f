#include "checker/view_check.h"

#include <string>

#include "checker/near_name.h"
#include "checker/profile_scan.h"
#include "checker/report.h"
#include "checker/section_check.h"
#include "checker/text_fit.h"
#include "checker/value_text.h"
#include "checker/view_values.h"
#include "config/colour_table.h"
#include "config/language.h"
#include "config/profile_readers.h"
#include "config/view_keys.h"
#include "config/view_settings.h"
#include "state/launcher_state.h"
#include "window/layout.h"
#include "window/menu_fonts.h"

namespace {

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
        report.warning(keyPlace(kViewSectionName, viewKeyOf(&ViewSettings::FontSize).name),
                       "a caption is " + std::to_string(captionHeight) +
                           " pixels high and its entry place leaves " +
                           std::to_string(kCaptionRoomHeight) +
                           ": the bottom of every caption is cut");
    }
    if (present) checkSectionKeys(kViewSectionName, false, sectionLines(kViewSectionName), report);
}
