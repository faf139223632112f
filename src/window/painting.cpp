#include <cstring>

#include "config/colour_table.h"
#include "config/menu_item.h"
#include "state/launcher_state.h"
#include "window/item_text.h"
#include "window/layout.h"
#include "window/menu_dialog.h"

static_assert(kCommentTextFormat == (DT_WORDBREAK | DT_EDITCONTROL),
              "the comment box's format is the platform's DT_WORDBREAK | DT_EDITCONTROL");

void paintMenu(HWND window, HDC dc) {
    HDC pictureDc = CreateCompatibleDC(dc);
    if (pictureDc == nullptr) return;
    HGDIOBJ kept = SelectObject(pictureDc, launcherState.backgroundBitmap);
    if (kept == nullptr) {
        DeleteDC(pictureDc);
        return;
    }
    RECT client;
    GetClientRect(window, &client);
    BitBlt(dc, client.left, client.top, client.right - client.left, client.bottom - client.top,
           pictureDc, 0, 0, SRCCOPY);
    SelectObject(pictureDc, kept);

    for (int i = 0; i < launcherState.itemCount && i < kMenuItemSlots; ++i) drawMenuItem(dc, i, 0);
    drawCommentBox(dc, -1);
    DeleteDC(pictureDc);
}

void drawMenuItem(HDC dc, int index, int active) {
    const MenuItem* item = launcherState.menuItems[index];
    if (item == nullptr || item->empty) return;

    char text[kItemTextSize];
    const std::size_t length =
        formatItemText(text, index, item->caption, launcherState.view.ShowNumbers);
    const RECT place = itemRect(index);

    SetBkMode(dc, TRANSPARENT);
    SelectObject(dc, launcherState.itemFont);
    SetTextColor(dc, colourFromIndex(active ? launcherState.view.FontActiveColor
                                            : launcherState.view.FontColor));
    // No background: the glyphs go over the picture (or over the same text in the other
    // colour), clipped to the entry's place.
    ExtTextOutA(dc, place.left + kCaptionOffset, place.top + kCaptionOffset, ETO_CLIPPED, &place,
                text, static_cast<UINT>(length), nullptr);
}

void drawCommentBox(HDC dc, int index) {
    RECT box = commentBoxRect();
    HBRUSH brush = CreateSolidBrush(colourFromIndex(launcherState.view.BkCommentColor));
    FillRect(dc, &box, brush);

    const char* source =
        index == -1 ? launcherState.menuPrompt : launcherState.menuItems[index]->comment;
    // The platform may write the text back into the buffer it is given (DT_MODIFYSTRING),
    // so it gets a copy and the stored text never changes. Four bytes spare, as the flag asks.
    char text[kTextLineSize + 4];
    std::size_t length = std::strlen(source);
    if (length > kTextLineSize - 1) length = kTextLineSize - 1;
    std::memcpy(text, source, length);
    text[length] = '\0';

    RECT textRect = commentTextRect();
    SetBkMode(dc, TRANSPARENT);
    SelectObject(dc, launcherState.commentFont);
    SetTextColor(dc, colourFromIndex(launcherState.view.FontCommentColor));
    DrawTextA(dc, text, static_cast<int>(length), &textRect, kCommentTextFormat | DT_MODIFYSTRING);
    DeleteObject(brush);
}
