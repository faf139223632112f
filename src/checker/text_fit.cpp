#include "checker/text_fit.h"

#include <windows.h>

#include "console/console_text.h"
#include "state/launcher_state.h"
#include "window/layout.h"

MeasuringFont::MeasuringFont(HFONT__* font, unsigned codePage) : font_(font), codePage_(codePage) {
    dc_ = CreateCompatibleDC(nullptr);
    if (font_ == nullptr || dc_ == nullptr) return;
    keptFont_ = SelectObject(dc_, font_);
    ready_ = keptFont_ != nullptr;
}

MeasuringFont::~MeasuringFont() {
    if (dc_ != nullptr) {
        if (keptFont_ != nullptr) SelectObject(dc_, keptFont_);
        DeleteDC(dc_);
    }
    if (font_ != nullptr) DeleteObject(font_);
}

std::string MeasuringFont::faceInUse() const {
    char face[LF_FACESIZE] = {};
    if (!ready_ || GetTextFaceA(dc_, sizeof face, face) == 0) return {};
    return face;
}

int MeasuringFont::lineHeight() const {
    TEXTMETRICA metrics = {};
    if (!ready_ || !GetTextMetricsA(dc_, &metrics)) return 0;
    return metrics.tmHeight;
}

int MeasuringFont::width(const char* text, std::size_t length) const {
    SIZE extent = {};
    const std::wstring characters = wideFromCodePage(std::string(text, length), codePage_);
    if (!ready_ || !GetTextExtentPoint32W(dc_, characters.data(),
                                          static_cast<int>(characters.size()), &extent))
        return 0;
    return extent.cx;
}

CommentFit MeasuringFont::commentFit(const std::string& text) const {
    const RECT box = commentTextRect();
    CommentFit fit = {0, 0, false};
    const int height = lineHeight();
    if (!ready_ || height <= 0 || text.empty()) return fit;

    // Laid out with the menu's flags; DT_CALCRECT reports the height of every line, also
    // of those the box has no room for.
    RECT needed = box;
    const std::size_t length = text.size() < kTextLineSize - 1 ? text.size() : kTextLineSize - 1;
    const std::wstring characters = wideFromCodePage(text.substr(0, length), codePage_);
    DrawTextW(dc_, characters.c_str(), static_cast<int>(characters.size()), &needed,
              DT_CALCRECT | kCommentTextFormat);
    fit.lines = (needed.bottom - needed.top) / height;
    fit.shownLines = (box.bottom - box.top) / height;
    fit.tooWide = needed.right > box.right;
    return fit;
}
