// Whether the menu's texts can be read: each caption colour against the picture behind the
// caption, and the comment colour against the comment box. Below 3:1 is a warning, below
// 4.5:1 a note.
#pragma once

#include "checker/contrast.h"

class Report;
struct Place;

// The share of the pixels behind a caption, those most like its colour, that is let go.
constexpr double kLetGoShare = 0.05;

// Caption of entry slot `slot` (0 to 4), `width` x `height` pixels as drawn, in FontColor
// and FontActiveColor of launcherState.view, over `picture`.
void checkCaptionContrast(const Place& place, int slot, int width, int height,
                          const Picture& picture, Report& report);

// FontCommentColor against BkCommentColor of launcherState.view.
void checkCommentContrast(Report& report);
