#include "checker/contrast_check.h"

#include <cstdio>
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

void checkCaptionContrast(const Place& place, int slot, int width, int height,
                          const Picture& picture, Report& report) {
    // The caption's text as drawn: from its text origin in its place, cut at the place's edges.
    const RECT entry = itemRect(slot);
    const int left = entry.left + kCaptionOffset;
    const int top = entry.top + kCaptionOffset;
    const int right = left + width < entry.right ? left + width : entry.right;
    const int bottom = top + height < entry.bottom ? top + height : entry.bottom;
    const ViewSettings& view = launcherState.view;
    const struct {
        const char* name;
        std::int32_t colour;
    } colours[] = {{"caption", view.FontColor}, {"lit caption", view.FontActiveColor}};
    for (const auto& caption : colours) {
        const Backdrop backdrop = textContrast(picture, left, top, right, bottom,
                                               colourFromIndex(caption.colour), kLetGoShare);
        if (!backdrop.measured) continue;
        judge(place, backdrop.ratio,
              std::string(caption.name) + " in colour " + colourText(caption.colour) +
                  " on the picture behind it, around " + rgbText(backdrop.pixel),
              report);
    }
}

void checkCommentContrast(Report& report) {
    const ViewSettings& view = launcherState.view;
    const double ratio =
        contrastRatio(colourFromIndex(view.FontCommentColor), colourFromIndex(view.BkCommentColor));
    judge(keyPlace(kViewSectionName, "FontCommentColor"), ratio,
          "comment text " + colourText(view.FontCommentColor) + " on the comment box " +
              colourText(view.BkCommentColor),
          report);
}
