// The twelve settings of the section "View" with their built-in defaults. Field names are
// the keys as they stand in the menu file.
#pragma once

#include <cstdint>

constexpr int kFaceNameSize = 260;  // a face name with its terminating NUL

struct ViewSettings {
    std::int32_t ShowNumbers = 1;
    char FontName[kFaceNameSize] = "Arial";
    std::int32_t FontSize = 13;
    std::int32_t FontBold = 0;
    std::int32_t FontItalic = 0;
    std::int32_t FontUnderlined = 0;
    std::int32_t FontColor = 1;
    std::int32_t FontActiveColor = 10;
    char FontCommentName[kFaceNameSize] = "Arial";
    std::int32_t FontCommentSize = 11;
    std::int32_t FontCommentColor = 1;
    std::int32_t BkCommentColor = 15;
};

// Reads the section "View" of the menu file over the values already in launcherState.view,
// key by key in the order of kViewKeys (config/view_keys.h). A colour setting above the last
// colour of the table keeps the value it had, so every colour setting always names a colour
// of the table.
void readViewSettings();
