#include "config/view_settings.h"

#include "config/colour_table.h"
#include "config/profile_readers.h"
#include "state/launcher_state.h"

static const char kViewSection[] = "View";

// A colour setting takes the file's number only when it names a colour of the table;
// anything above keeps the setting as it was.
static void readColourSetting(const char* key, std::int32_t& setting) {
    std::int32_t value = setting;
    readProfileNumber(kViewSection, key, value);
    if (value < kColourCount) setting = value;
}

void readViewSettings() {
    ViewSettings& view = launcherState.view;
    readProfileFlag(kViewSection, "ShowNumbers", view.ShowNumbers);
    readProfileText(kViewSection, "FontName", view.FontName, sizeof view.FontName);
    readProfileNumber(kViewSection, "FontSize", view.FontSize);
    readProfileFlag(kViewSection, "FontBold", view.FontBold);
    readProfileFlag(kViewSection, "FontItalic", view.FontItalic);
    readProfileFlag(kViewSection, "FontUnderlined", view.FontUnderlined);
    readColourSetting("FontColor", view.FontColor);
    readColourSetting("FontActiveColor", view.FontActiveColor);
    readProfileText(kViewSection, "FontCommentName", view.FontCommentName, sizeof view.FontCommentName);
    readProfileNumber(kViewSection, "FontCommentSize", view.FontCommentSize);
    readColourSetting("FontCommentColor", view.FontCommentColor);
    readColourSetting("BkCommentColor", view.BkCommentColor);
}
