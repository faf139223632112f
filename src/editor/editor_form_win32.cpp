#include "editor/editor_form.h"

#include <commctrl.h>

#include <vector>

#include "editor/editor_dpi.h"
#include "editor/editor_ids.h"
#include "editor/pages/page.h"
#include "editor/preview/preview_control.h"

namespace {

constexpr DWORD kButton = WS_TABSTOP | BS_PUSHBUTTON;

struct ControlMade {
    int id;
    const wchar_t* type;
    const wchar_t* text;
    DWORD style;
};

// In creation order, which is the tab order: the language and the preview, the tabs (the
// pages follow them), the findings.
const ControlMade kControls[] = {
    {IDC_LANGUAGE_LABEL, WC_STATICW, L"Pre&view as:", SS_LEFT},
    {IDC_LANGUAGE_BOX, WC_COMBOBOXW, L"Preview as", WS_TABSTOP | CBS_DROPDOWNLIST | WS_VSCROLL},
    {IDC_ADD_LANGUAGE, WC_BUTTONW, L"&Add language...", kButton},
    {IDC_REMOVE_LANGUAGE, WC_BUTTONW, L"Remove lan&guage", kButton},
    {IDC_PREVIEW_TITLE, WC_STATICW, L"", SS_LEFT | SS_ENDELLIPSIS | SS_NOPREFIX},
    {IDC_PREVIEW, kPreviewControlClass, L"Preview", WS_TABSTOP},
    {IDC_SCALE_NOTE, WC_STATICW, L"", SS_LEFT},
    {IDC_TABS, WC_TABCONTROLW, L"Fields", WS_TABSTOP | WS_CLIPSIBLINGS},
    {IDC_FINDINGS_LABEL, WC_STATICW, L"Findings of the chec&ker:", SS_LEFT},
    {IDC_FINDINGS, WC_LISTVIEWW, L"Findings",
     WS_TABSTOP | WS_BORDER | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS},
    {IDC_SHOW_INFOS, WC_BUTTONW, L"Show &infos", WS_TABSTOP | BS_AUTOCHECKBOX},
    {IDC_APPLY_FIX, WC_BUTTONW, L"Appl&y the fix...", kButton | WS_DISABLED},
    {IDC_FINDING_TEXT, WC_EDITW, L"",
     WS_TABSTOP | WS_BORDER | ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL | WS_VSCROLL},
    {IDC_STATUS, STATUSCLASSNAMEW, L"", SBARS_SIZEGRIP},
};

constexpr int kPreviewLeft = 8;
constexpr int kPreviewTop = 64;
constexpr int kPreviewWidth = 600;  // picture pixels, at every DPI
constexpr int kPreviewHeight = 397;
constexpr int kPageWidth = 340;
constexpr int kFormHeight = 700;
constexpr int kFindingTextHeight = 48;
constexpr int kSmallestList = 96;
constexpr int kPageIds[kPageCount] = {IDC_TEXTS_PAGE, IDC_LOOK_PAGE, IDC_WINDOWS_PAGE};

int statusHeight(HWND window) {
    HWND status = GetDlgItem(window, IDC_STATUS);
    SendMessageW(status, WM_SIZE, 0, 0);
    RECT place = {};
    GetWindowRect(status, &place);
    return place.bottom - place.top;
}

void place(HWND window, int id, int x, int y, int width, int height, HFONT font) {
    HWND control = GetDlgItem(window, id);
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    SetWindowPos(control, nullptr, x, y, width > 0 ? width : 0, height > 0 ? height : 0,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

void createForm(HWND window, HINSTANCE instance) {
    for (const ControlMade& made : kControls) {
        CreateWindowExW(0, made.type, made.text, WS_CHILD | WS_VISIBLE | made.style, 0, 0, 10, 10,
                        window, reinterpret_cast<HMENU>(static_cast<INT_PTR>(made.id)), instance,
                        nullptr);
        if (made.id != IDC_TABS) continue;
        // The pages right after the tabs, so that Tab goes from the tabs into the page shown.
        createTextsPage(window);
        createLookPage(window);
        createWindowsPage(window);
        ShowWindow(GetDlgItem(window, IDC_TEXTS_PAGE), SW_SHOWNA);
    }
}

void layOutForm(HWND window, UINT dpi, HFONT font) {
    RECT client;
    GetClientRect(window, &client);
    const int bottom = client.bottom - statusHeight(window);
    const int left = scaled(kPreviewLeft, dpi);
    const int top = scaled(kPreviewTop, dpi);
    const int below = top + kPreviewHeight;
    const int gap = scaled(8, dpi);

    place(window, IDC_LANGUAGE_LABEL, left, scaled(12, dpi), scaled(80, dpi), scaled(20, dpi),
          font);
    place(window, IDC_LANGUAGE_BOX, scaled(90, dpi), scaled(8, dpi), scaled(300, dpi),
          scaled(300, dpi), font);
    place(window, IDC_ADD_LANGUAGE, scaled(398, dpi), scaled(7, dpi), scaled(100, dpi),
          scaled(25, dpi), font);
    place(window, IDC_REMOVE_LANGUAGE, scaled(504, dpi), scaled(7, dpi), scaled(104, dpi),
          scaled(25, dpi), font);
    place(window, IDC_PREVIEW_TITLE, left, scaled(40, dpi), kPreviewWidth, scaled(20, dpi), font);
    place(window, IDC_PREVIEW, left, top, kPreviewWidth, kPreviewHeight, font);
    place(window, IDC_SCALE_NOTE, left, below + scaled(4, dpi), kPreviewWidth, scaled(20, dpi),
          font);

    // The findings under the preview, down to the bottom; the selected one's whole text
    // under the list.
    const int fixWidth = scaled(140, dpi);
    place(window, IDC_FINDINGS_LABEL, left, below + scaled(30, dpi), scaled(300, dpi),
          scaled(16, dpi), font);
    place(window, IDC_SHOW_INFOS, left + kPreviewWidth - fixWidth - scaled(110, dpi),
          below + scaled(28, dpi), scaled(100, dpi), scaled(20, dpi), font);
    place(window, IDC_APPLY_FIX, left + kPreviewWidth - fixWidth, below + scaled(24, dpi), fixWidth,
          scaled(25, dpi), font);
    const int textHeight = scaled(kFindingTextHeight, dpi);
    const int listTop = below + scaled(52, dpi);
    const int listHeight = bottom - gap - textHeight - scaled(4, dpi) - listTop;
    place(window, IDC_FINDINGS, left, listTop, kPreviewWidth, listHeight, font);
    place(window, IDC_FINDING_TEXT, left, bottom - gap - textHeight, kPreviewWidth, textHeight,
          font);

    // The tabs take the rest of the width and the height; the pages stand in their frame.
    const int tabsLeft = left + kPreviewWidth + scaled(16, dpi);
    const int tabsTop = scaled(18, dpi);
    place(window, IDC_TABS, tabsLeft, tabsTop, client.right - gap - tabsLeft,
          bottom - gap - tabsTop, font);
    RECT frame = {tabsLeft, tabsTop, client.right - gap, bottom - gap};
    TabCtrl_AdjustRect(GetDlgItem(window, IDC_TABS), FALSE, &frame);
    for (const int id : kPageIds) {
        HWND page = GetDlgItem(window, id);
        SetWindowPos(page, nullptr, frame.left, frame.top, frame.right - frame.left,
                     frame.bottom - frame.top, SWP_NOZORDER | SWP_NOACTIVATE);
        layOutPage(page, dpi, font);
    }
    SendMessageW(GetDlgItem(window, IDC_STATUS), WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    InvalidateRect(window, nullptr, TRUE);
}

SIZE formSize(UINT dpi) {
    const SIZE client = {
        scaled(kPreviewLeft, dpi) + kPreviewWidth + scaled(24 + kPageWidth + 16, dpi),
        scaled(kFormHeight, dpi)};
    return frameSize(client, WS_OVERLAPPEDWINDOW, true, 0, dpi);
}

SIZE smallestFormSize(UINT dpi) {
    // The whole preview, a few rows of findings with the selected one's text, and the
    // status bar; the pages' fields fit in that height.
    const int height = scaled(kPreviewTop, dpi) + kPreviewHeight +
                       scaled(52 + kSmallestList + 4 + kFindingTextHeight + 8 + 24, dpi);
    const SIZE client = {
        scaled(kPreviewLeft, dpi) + kPreviewWidth + scaled(24 + kPageWidth + 16, dpi), height};
    return frameSize(client, WS_OVERLAPPEDWINDOW, true, 0, dpi);
}

HWND formControl(HWND window, int id) {
    if (HWND own = GetDlgItem(window, id)) return own;
    for (const int page : kPageIds) {
        if (HWND control = GetDlgItem(GetDlgItem(window, page), id)) return control;
    }
    return nullptr;
}

std::wstring controlText(HWND control) {
    const int length = GetWindowTextLengthW(control);
    if (length <= 0) return {};
    std::vector<wchar_t> text(static_cast<std::size_t>(length) + 1);
    const int got = GetWindowTextW(control, text.data(), length + 1);
    return std::wstring(text.data(), got > 0 ? static_cast<std::size_t>(got) : 0);
}

void setControlText(HWND control, const std::wstring& text) {
    if (controlText(control) != text) SetWindowTextW(control, text.c_str());
}
