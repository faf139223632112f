// The two fonts the menu draws with, made from the view settings and the character set of
// the language section in force.
#pragma once

#include <windows.h>

// The comment box font: FontCommentName at FontCommentSize pixels, never bold, italic or
// underlined. Null when the platform cannot make it. The caller owns the font.
HFONT createCommentFont();

// The caption font: FontName at FontSize pixels, weight 600 when FontBold, italic and
// underlined as set. Null when the platform cannot make it. The caller owns the font.
HFONT createItemFont();
