// Whether the menu's texts can be read: each caption colour against the picture behind the
// caption, and the comment colour against the comment box. Below 3:1 is a warning, below
// 4.5:1 a note.
#pragma once

#include <cstddef>
#include <vector>

#include "checker/contrast.h"

class Report;
struct Place;

// The share of the pixels behind a caption, those most like its colour, that is let go.
constexpr double kLetGoShare = 0.05;

// The captions of every language section on one picture. [View] sets the caption colours
// for all sections alike, so a colour that mends one caption must keep the advised contrast
// behind every caption: once all are measured, each caption finding is given the colours of
// the table that do (as its fix and in its text).
class CaptionContrast {
public:
    // `picture` must outlive this object.
    explicit CaptionContrast(const Picture& picture) : picture_(picture) {}

    // Caption of entry slot `slot` (0 to 4), `width` x `height` pixels as drawn, in FontColor
    // and FontActiveColor of launcherState.view.
    void check(const Place& place, int slot, int width, int height, Report& report);

    // Adds the colours that pass behind every caption checked to each finding check() made.
    // Call once, after the last caption.
    void suggestColours(Report& report) const;

private:
    struct Area {
        int left, top, right, bottom;
    };
    struct Short {
        std::size_t finding;  // its index in the report
        const char* key;      // the [View] key that sets its colour
    };

    const Picture& picture_;
    std::vector<Area> areas_;
    std::vector<Short> short_;
};

// FontCommentColor against BkCommentColor of launcherState.view.
void checkCommentContrast(Report& report);
