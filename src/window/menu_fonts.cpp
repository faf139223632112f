#include "window/menu_fonts.h"

#include "state/launcher_state.h"

// Negative heights ask for the character height, not the cell height, in pixels.
static HFONT createMenuFont(int size, int weight, int italic, int underline, const char* face) {
    return CreateFontA(-size, 0, 0, 0, weight, italic, underline, FALSE, launcherState.textCharset,
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                       VARIABLE_PITCH | FF_SWISS, face);
}

HFONT createCommentFont() {
    const ViewSettings& view = launcherState.view;
    return createMenuFont(view.FontCommentSize, FW_DONTCARE, FALSE, FALSE, view.FontCommentName);
}

HFONT createItemFont() {
    const ViewSettings& view = launcherState.view;
    return createMenuFont(view.FontSize, view.FontBold ? FW_SEMIBOLD : FW_DONTCARE, view.FontItalic,
                          view.FontUnderlined, view.FontName);
}
