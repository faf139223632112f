// The Look page: [View]'s fonts and colours. The face boxes list the installed faces, the
// colour boxes the colours of the menu's table as swatches.
#include <windows.h>
#include <commctrl.h>

#include <string>

#include "config/colour_table.h"
#include "editor/editor_dpi.h"
#include "editor/editor_ids.h"
#include "editor/editor_text.h"
#include "editor/pages/page.h"

namespace {

const PageControl kControls[] = {
    {IDC_FONT_NAME, IDC_NUMBERS, WC_BUTTONW, L"Numbers before the captions (always shown)",
     BS_AUTOCHECKBOX | WS_DISABLED, 0, 0, 340, 20},
};
const PageSetup kSetup = {Page::Look, kControls, sizeof kControls / sizeof kControls[0]};

// The two face boxes, filled from one enumeration of the installed fonts.
struct FaceBoxes {
    HWND captions, comments;
};

int CALLBACK addFace(const LOGFONTW* font, const TEXTMETRICW*, DWORD, LPARAM data) {
    const FaceBoxes* into = reinterpret_cast<const FaceBoxes*>(data);
    const wchar_t* face = font->lfFaceName;
    if (face[0] == L'@') return 1;  // vertical faces are for East Asian vertical text
    if (SendMessageW(into->captions, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                     reinterpret_cast<LPARAM>(face)) == CB_ERR) {
        SendMessageW(into->captions, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(face));
        SendMessageW(into->comments, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(face));
    }
    return 1;
}

void fillBoxes(HWND page) {
    HDC dc = GetDC(page);
    LOGFONTW wanted = {};
    wanted.lfCharSet = DEFAULT_CHARSET;
    FaceBoxes boxes = {GetDlgItem(page, IDC_FONT_NAME), GetDlgItem(page, IDC_COMMENT_FONT_NAME)};
    EnumFontFamiliesExW(dc, &wanted, addFace, reinterpret_cast<LPARAM>(&boxes), 0);
    ReleaseDC(page, dc);
    // The boxes list the colours 1 to 17: the file cannot set colour 0 (the same black as 1).
    for (const Field* field = fieldsBegin(); field != fieldsEnd(); ++field) {
        if (field->kind != FieldKind::Colour) continue;
        for (std::int32_t number = 1; number < kColourCount; ++number) {
            const std::wstring item = std::to_wstring(number) + L"  " + colourName(number);
            SendDlgItemMessageW(page, field->id, CB_ADDSTRING, 0,
                                reinterpret_cast<LPARAM>(item.c_str()));
        }
    }
    CheckDlgButton(page, IDC_NUMBERS, BST_CHECKED);
}

INT_PTR CALLBACK lookPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG:
            initPageDialog(page, lParam);
            fillBoxes(page);
            return TRUE;
        case WM_COMMAND:
            return pageCommand(page, wParam, lParam);
        case WM_MEASUREITEM: {
            MEASUREITEMSTRUCT* item = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
            item->itemHeight = static_cast<UINT>(scaled(18, windowDpi(page)));
            SetWindowLongPtrW(page, DWLP_MSGRESULT, TRUE);
            return TRUE;
        }
        case WM_DRAWITEM:
            drawSwatch(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
            SetWindowLongPtrW(page, DWLP_MSGRESULT, TRUE);
            return TRUE;
        default:
            return FALSE;
    }
}

}  // namespace

HWND createLookPage(HWND parent) { return createPage(parent, IDC_LOOK_PAGE, lookPageProc, kSetup); }

void drawSwatch(const DRAWITEMSTRUCT& item) {
    if (item.itemID == static_cast<UINT>(-1)) return;
    const bool selected = (item.itemState & ODS_SELECTED) != 0;
    FillRect(item.hDC, &item.rcItem, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    const int height = item.rcItem.bottom - item.rcItem.top;
    RECT swatch = {item.rcItem.left + 2, item.rcItem.top + 2, item.rcItem.left + 2 + 2 * height,
                   item.rcItem.bottom - 2};
    HBRUSH brush = CreateSolidBrush(colourFromIndex(static_cast<std::int32_t>(item.itemID) + 1));
    FillRect(item.hDC, &swatch, brush);
    DeleteObject(brush);
    FrameRect(item.hDC, &swatch, GetSysColorBrush(COLOR_WINDOWTEXT));
    wchar_t text[64] = {};
    if (SendMessageW(item.hwndItem, CB_GETLBTEXTLEN, item.itemID, 0) < 64)
        SendMessageW(item.hwndItem, CB_GETLBTEXT, item.itemID, reinterpret_cast<LPARAM>(text));
    RECT words = item.rcItem;
    words.left = swatch.right + 6;
    SetBkMode(item.hDC, TRANSPARENT);
    SetTextColor(item.hDC, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    DrawTextW(item.hDC, text, -1, &words, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    if (item.itemState & ODS_FOCUS) DrawFocusRect(item.hDC, &item.rcItem);
}
