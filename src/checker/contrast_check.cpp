#include "checker/contrast_check.h"

#include <algorithm>
#include <cstdio>
#include <optional>
#include <string>

#include "checker/report.h"
#include "checker/view_values.h"
#include "config/colour_table.h"
#include "config/view_keys.h"
#include "state/launcher_state.h"
#include "window/layout.h"

namespace {

constexpr double kHardToRead = 3.0;
constexpr double kBelowAdvised = 4.5;

std::string ratioText(double ratio) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f:1",
                  static_cast<double>(static_cast<int>(ratio * 10)) / 10);
    return text;
}

std::string rgbText(std::uint32_t colour) {
    return "(" + std::to_string(colour & 0xFF) + "," + std::to_string(colour >> 8 & 0xFF) + "," +
           std::to_string(colour >> 16 & 0xFF) + ")";
}

// A warning below 3:1, a note below 4.5:1, nothing above.
void judge(const Place& place, double ratio, const std::string& what, Report& report) {
    if (ratio >= kBelowAdvised) return;
    const std::string text =
        what + ": contrast " + ratioText(ratio) +
        (ratio < kHardToRead ? ", below 3:1: hard to read" : ", below the 4.5:1 advised for text");
    if (ratio < kHardToRead) {
        report.warning(place, text);
    } else {
        report.note(place, text);
    }
}

}  // namespace

void CaptionContrast::check(const Place& place, int slot, int width, int height, Report& report) {
    // The caption's text as drawn: from its text origin in its place, cut at the place's edges.
    const RECT entry = itemRect(slot);
    const int left = entry.left + kCaptionOffset;
    const int top = entry.top + kCaptionOffset;
    const int right = left + width < entry.right ? left + width : entry.right;
    const int bottom = top + height < entry.bottom ? top + height : entry.bottom;
    const Area area = {left, top, right, bottom};
    if (std::none_of(areas_.begin(), areas_.end(), [&area](const Area& a) {
            return a.left == area.left && a.top == area.top && a.right == area.right &&
                   a.bottom == area.bottom;
        })) {
        areas_.push_back(area);
    }
    const ViewSettings& view = launcherState.view;
    const struct {
        const char* name;
        const char* key;
        std::int32_t colour;
    } colours[] = {
        {"caption", viewKeyOf(&ViewSettings::FontColor).name, view.FontColor},
        {"lit caption", viewKeyOf(&ViewSettings::FontActiveColor).name, view.FontActiveColor}};
    for (const auto& caption : colours) {
        const Backdrop backdrop = textContrast(picture_, left, top, right, bottom,
                                               colourFromIndex(caption.colour), kLetGoShare);
        if (!backdrop.measured) continue;
        const std::size_t before = report.findings().size();
        judge(place, backdrop.ratio,
              std::string(caption.name) + " in colour " + colourText(caption.colour) +
                  " on the picture behind it, around " + rgbText(backdrop.pixel),
              report);
        if (report.findings().size() > before) short_.push_back({before, caption.key});
    }
}

void CaptionContrast::suggestColours(Report& report) const {
    if (short_.empty()) return;
    const PictureColours colours = pictureColours(picture_);
    std::vector<std::string> passing;
    // Colour 0 is no choice: a number below 1 keeps the setting's default.
    for (std::int32_t colour = 1; colour < kColourCount; ++colour) {
        const bool passes = std::all_of(areas_.begin(), areas_.end(), [&](const Area& a) {
            return keepsContrast(picture_, colours, a.left, a.top, a.right, a.bottom,
                                 colourFromIndex(colour), kLetGoShare, kBelowAdvised);
        });
        if (passes) passing.push_back(std::to_string(colour));
    }
    std::string words =
        "no colour of the table keeps 4.5:1 behind every caption; a picture that is evenly "
        "light or evenly dark behind all the captions helps (brand the menu with one)";
    if (!passing.empty()) {
        words = "colours of the table that keep 4.5:1 behind every caption: ";
        for (std::size_t i = 0; i < passing.size(); ++i) words += (i > 0 ? ", " : "") + passing[i];
    }
    for (const Short& caption : short_) {
        report.addSuggestion(caption.finding, words,
                             passing.empty()
                                 ? std::nullopt
                                 : std::optional<Fix>(Fix{kViewSectionName, caption.key, passing}));
    }
}

void checkCommentContrast(Report& report) {
    const ViewSettings& view = launcherState.view;
    const double ratio =
        contrastRatio(colourFromIndex(view.FontCommentColor), colourFromIndex(view.BkCommentColor));
    judge(keyPlace(kViewSectionName, viewKeyOf(&ViewSettings::FontCommentColor).name), ratio,
          "comment text " + colourText(view.FontCommentColor) + " on the comment box " +
              colourText(view.BkCommentColor),
          report);
}
