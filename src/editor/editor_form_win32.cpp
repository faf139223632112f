#include "editor/editor_form.h"

#include <commctrl.h>

#include <vector>

namespace {

// Where a control stands, in pixels at 96 DPI. The right column's controls are placed on
// their page from its top-left corner; the preview column's are placed from the window's.
enum class Column { Preview, Page };

struct ControlPlace {
    int id;
    const wchar_t* type;
    const wchar_t* text;
    DWORD style;
    Column column;
    int x, y, width, height;
};

constexpr DWORD kStaticText = SS_LEFT;
constexpr DWORD kEdit = WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL;
constexpr DWORD kMultiline =
    WS_TABSTOP | WS_BORDER | ES_MULTILINE | ES_WANTRETURN | ES_AUTOVSCROLL | WS_VSCROLL;
constexpr DWORD kButton = WS_TABSTOP | BS_PUSHBUTTON;
constexpr DWORD kCheck = WS_TABSTOP | BS_AUTOCHECKBOX;
constexpr DWORD kList = WS_TABSTOP | CBS_DROPDOWNLIST | WS_VSCROLL;
constexpr DWORD kFaces = WS_TABSTOP | CBS_DROPDOWN | CBS_SORT | CBS_AUTOHSCROLL | WS_VSCROLL;
constexpr DWORD kSwatches =
    WS_TABSTOP | CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS | WS_VSCROLL;

constexpr int kPreviewLeft = 8;
constexpr int kPreviewTop = 64;
constexpr int kPreviewWidth = 600;  // picture pixels, at every DPI
constexpr int kPreviewHeight = 397;
constexpr int kPageWidth = 340;
constexpr int kFormHeight = 700;

// In creation order, which is the tab order: the language and the preview, the pages, the
// findings. Each label comes just before its field, so screen readers name the field by it.
const ControlPlace kControls[] = {
    {kLanguageLabel, WC_STATICW, L"Pre&view as:", kStaticText, Column::Preview, 8, 12, 80, 20},
    {kLanguageBox, WC_COMBOBOXW, L"Preview as", kList, Column::Preview, 90, 8, 300, 300},
    {kAddLanguage, WC_BUTTONW, L"&Add language...", kButton, Column::Preview, 398, 7, 100, 25},
    {kRemoveLanguage, WC_BUTTONW, L"Remove lan&guage", kButton, Column::Preview, 504, 7, 104, 25},
    {kPreviewTitle, WC_STATICW, L"", kStaticText | SS_ENDELLIPSIS, Column::Preview, 8, 40, 600, 20},
    // The preview's own class; its place is set apart from the others (layOutForm).
    {kPreview, L"AutorunMenuPreview", L"Preview", WS_TABSTOP, Column::Preview, 0, 0, 0, 0},
    {kScaleNote, WC_STATICW, L"", kStaticText, Column::Preview, 0, 0, 0, 0},
    {kTabs, WC_TABCONTROLW, L"Fields", WS_TABSTOP | WS_CLIPSIBLINGS, Column::Page, -8, -30,
     kPageWidth + 16, 0},

    {kSectionNote, WC_STATICW, L"", kStaticText, Column::Page, 0, 0, kPageWidth, 32},
    {kTitleLabel, WC_STATICW, L"&Title (the window's caption):", kStaticText, Column::Page, 0, 36,
     kPageWidth, 16},
    {kTitle, WC_EDITW, L"", kEdit, Column::Page, 0, 53, kPageWidth, 23},
    {kPromptLabel, WC_STATICW, L"&Prompt (shown until an entry is lit):", kStaticText, Column::Page,
     0, 82, kPageWidth, 16},
    {kPrompt, WC_EDITW, L"", kEdit, Column::Page, 0, 99, kPageWidth, 23},
    {kEntryLabel, WC_STATICW, L"&Entry:", kStaticText, Column::Page, 0, 134, 50, 16},
    {kEntryBox, WC_COMBOBOXW, L"Entry", kList, Column::Page, 54, 130, kPageWidth - 54, 200},
    {kCaptionLabel, WC_STATICW, L"&Caption:", kStaticText, Column::Page, 0, 162, kPageWidth, 16},
    {kCaption, WC_EDITW, L"", kEdit, Column::Page, 0, 179, kPageWidth, 23},
    {kCommandLabel, WC_STATICW, L"Co&mmand (a file on the medium, or a web address):", kStaticText,
     Column::Page, 0, 208, kPageWidth, 16},
    {kCommand, WC_EDITW, L"", kEdit, Column::Page, 0, 225, kPageWidth - 86, 23},
    {kBrowseCommand, WC_BUTTONW, L"&Browse...", kButton, Column::Page, kPageWidth - 80, 224, 80,
     25},
    {kParametersLabel, WC_STATICW, L"Pa&rameters:", kStaticText, Column::Page, 0, 254, kPageWidth,
     16},
    {kParameters, WC_EDITW, L"", kEdit, Column::Page, 0, 271, kPageWidth, 23},
    {kCommentLabel, WC_STATICW, L"C&omment (shown while the entry is lit):", kStaticText,
     Column::Page, 0, 300, kPageWidth, 16},
    {kComment, WC_EDITW, L"", kMultiline, Column::Page, 0, 317, kPageWidth, 62},
    {kErrorLabel, WC_STATICW, L"Error te&xt (when the command cannot start):", kStaticText,
     Column::Page, 0, 385, kPageWidth, 16},
    {kErrorText, WC_EDITW, L"", kMultiline, Column::Page, 0, 402, kPageWidth, 46},
    {kCloses, WC_BUTTONW, L"C&lose the menu after starting", kCheck, Column::Page, 0, 454,
     kPageWidth, 20},

    {kNumbers, WC_BUTTONW, L"&Numbers before the captions (always shown)", kCheck | WS_DISABLED,
     Column::Page, 0, 0, kPageWidth, 20},
    {kFontLabel, WC_STATICW, L"&Captions' font:", kStaticText, Column::Page, 0, 32, 240, 16},
    {kFontName, WC_COMBOBOXW, L"", kFaces, Column::Page, 0, 49, 240, 300},
    {kFontSizeLabel, WC_STATICW, L"&Size:", kStaticText, Column::Page, 250, 32, 90, 16},
    {kFontSize, WC_EDITW, L"", kEdit | ES_NUMBER, Column::Page, 250, 49, 60, 23},
    {kFontBold, WC_BUTTONW, L"&Bold", kCheck, Column::Page, 0, 80, 90, 20},
    {kFontItalic, WC_BUTTONW, L"&Italic", kCheck, Column::Page, 100, 80, 90, 20},
    {kFontUnderlined, WC_BUTTONW, L"&Underlined", kCheck, Column::Page, 200, 80, 110, 20},
    {kCommentFontLabel, WC_STATICW, L"C&omments' font:", kStaticText, Column::Page, 0, 114, 240,
     16},
    {kCommentFontName, WC_COMBOBOXW, L"", kFaces, Column::Page, 0, 131, 240, 300},
    {kCommentFontSizeLabel, WC_STATICW, L"Si&ze:", kStaticText, Column::Page, 250, 114, 90, 16},
    {kCommentFontSize, WC_EDITW, L"", kEdit | ES_NUMBER, Column::Page, 250, 131, 60, 23},
    {kFontColorLabel, WC_STATICW, L"Caption co&lour:", kStaticText, Column::Page, 0, 172, 164, 16},
    {kFontColor, WC_COMBOBOXW, L"", kSwatches, Column::Page, 0, 189, 164, 400},
    {kFontActiveColorLabel, WC_STATICW, L"Li&t caption colour:", kStaticText, Column::Page, 176,
     172, 200, 16},
    {kFontActiveColor, WC_COMBOBOXW, L"", kSwatches, Column::Page, 176, 189, 164, 400},
    {kFontCommentColorLabel, WC_STATICW, L"Co&mment colour:", kStaticText, Column::Page, 0, 222,
     164, 16},
    {kFontCommentColor, WC_COMBOBOXW, L"", kSwatches, Column::Page, 0, 239, 164, 400},
    {kBkCommentColorLabel, WC_STATICW, L"Comment bo&x colour:", kStaticText, Column::Page, 176, 222,
     164, 16},
    {kBkCommentColor, WC_COMBOBOXW, L"", kSwatches, Column::Page, 176, 239, 164, 400},

    {kOpenLabel, WC_STATICW, L"&Open (the program Windows offers to start):", kStaticText,
     Column::Page, 0, 0, kPageWidth, 16},
    {kOpen, WC_EDITW, L"", kEdit, Column::Page, 0, 17, kPageWidth, 23},
    {kIconLabel, WC_STATICW, L"&Icon (the medium's icon in Explorer):", kStaticText, Column::Page,
     0, 46, kPageWidth, 16},
    {kIcon, WC_EDITW, L"", kEdit, Column::Page, 0, 63, kPageWidth, 23},
    {kLabelLabel, WC_STATICW, L"&Label (the medium's name in Explorer):", kStaticText, Column::Page,
     0, 92, kPageWidth, 16},
    {kLabel, WC_EDITW, L"", kEdit, Column::Page, 0, 109, kPageWidth, 23},
    {kOfferMenu, WC_BUTTONW, L"Make &Windows offer this menu", kButton, Column::Page, 0, 144, 220,
     27},
    {kAutorunNote, WC_STATICW,
     L"Sets Open and Icon to the menu program beside autorun.inf, so that Windows offers the "
     L"menu when the medium is inserted and shows the menu's icon for the drive.",
     kStaticText, Column::Page, 0, 180, kPageWidth, 48},

    {kFindingsLabel, WC_STATICW, L"&Findings of the checker:", kStaticText, Column::Preview, 0, 0,
     0, 0},
    {kFindings, WC_LISTVIEWW, L"Findings",
     WS_TABSTOP | WS_BORDER | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS, Column::Preview, 0, 0,
     0, 0},
    {kApplyFix, WC_BUTTONW, L"Appl&y the fix...", kButton | WS_DISABLED, Column::Preview, 0, 0, 0,
     0},
    {kStatus, STATUSCLASSNAMEW, L"", SBARS_SIZEGRIP, Column::Preview, 0, 0, 0, 0},
};

int scaled(int pixels, UINT dpi) { return MulDiv(pixels, static_cast<int>(dpi), 96); }

using GetDpiForWindowCall = UINT(WINAPI*)(HWND);
using SystemParametersForDpiCall = BOOL(WINAPI*)(UINT, UINT, PVOID, UINT, UINT);

// Windows 10's calls for the DPI of one monitor, looked up once: Windows 7 and 8 lack them.
template <typename Call>
Call user32Call(const char* name) {
    HMODULE user32 = GetModuleHandleW(L"user32.dll");
    if (user32 == nullptr) return nullptr;
    // Through void*, the documented way to turn FARPROC into the call's own type.
    return reinterpret_cast<Call>(reinterpret_cast<void*>(GetProcAddress(user32, name)));
}

}  // namespace

Page pageOf(int id) {
    if (id >= kOpenLabel) return Page::Windows;
    if (id >= kNumbers) return Page::Look;
    return Page::Texts;
}

bool onPage(int id) { return id >= kSectionNote; }

void createForm(HWND window, HINSTANCE instance) {
    for (const ControlPlace& place : kControls) {
        DWORD style = WS_CHILD | place.style;
        if (!onPage(place.id) || pageOf(place.id) == Page::Texts) style |= WS_VISIBLE;
        CreateWindowExW(0, place.type, place.text, style, 0, 0, 10, 10, window,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(place.id)), instance, nullptr);
    }
}

void layOutForm(HWND window, UINT dpi, HFONT font) {
    RECT client;
    GetClientRect(window, &client);
    HWND status = GetDlgItem(window, kStatus);
    SendMessageW(status, WM_SIZE, 0, 0);
    RECT statusRect = {};
    GetWindowRect(status, &statusRect);
    const int bottom = client.bottom - (statusRect.bottom - statusRect.top);

    const int previewLeft = scaled(kPreviewLeft, dpi);
    const int previewTop = scaled(kPreviewTop, dpi);
    const int pageLeft = previewLeft + kPreviewWidth + scaled(24, dpi);
    const int pageTop = scaled(48, dpi);

    for (const ControlPlace& place : kControls) {
        HWND control = GetDlgItem(window, place.id);
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        int x = 0, y = 0, width = 0, height = 0;
        switch (place.id) {
            case kPreview:
                x = previewLeft, y = previewTop, width = kPreviewWidth, height = kPreviewHeight;
                break;
            case kScaleNote:
                x = previewLeft, y = previewTop + kPreviewHeight + scaled(4, dpi);
                width = kPreviewWidth, height = scaled(20, dpi);
                break;
            case kFindingsLabel:
                x = previewLeft, y = previewTop + kPreviewHeight + scaled(30, dpi);
                width = scaled(300, dpi), height = scaled(16, dpi);
                break;
            case kApplyFix:
                width = scaled(140, dpi), height = scaled(25, dpi);
                x = previewLeft + kPreviewWidth - width;
                y = previewTop + kPreviewHeight + scaled(24, dpi);
                break;
            case kFindings:
                x = previewLeft, y = previewTop + kPreviewHeight + scaled(52, dpi);
                width = kPreviewWidth;
                height = bottom - scaled(8, dpi) - y;
                break;
            case kTabs:
                x = pageLeft + scaled(place.x, dpi), y = pageTop + scaled(place.y, dpi);
                width = client.right - scaled(8, dpi) - x;
                height = bottom - scaled(8, dpi) - y;
                break;
            case kStatus:
                continue;
            default:
                if (place.column == Column::Page) {
                    x = pageLeft + scaled(place.x, dpi), y = pageTop + scaled(place.y, dpi);
                } else {
                    x = scaled(place.x, dpi), y = scaled(place.y, dpi);
                }
                width = scaled(place.width, dpi), height = scaled(place.height, dpi);
                break;
        }
        SetWindowPos(control, nullptr, x, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
    }
    // The list's columns: the place, then the text taking the rest.
    HWND findings = GetDlgItem(window, kFindings);
    RECT list;
    GetClientRect(findings, &list);
    ListView_SetColumnWidth(findings, 0, scaled(150, dpi));
    ListView_SetColumnWidth(findings, 1, (list.right - list.left) - scaled(150, dpi));
    InvalidateRect(window, nullptr, TRUE);
}

void showPage(HWND window, Page page) {
    for (const ControlPlace& place : kControls) {
        if (!onPage(place.id)) continue;
        ShowWindow(GetDlgItem(window, place.id), pageOf(place.id) == page ? SW_SHOWNA : SW_HIDE);
    }
}

HFONT createUiFont(UINT dpi) {
    NONCLIENTMETRICSW metrics = {};
    metrics.cbSize = sizeof metrics;
    static const auto forDpi = user32Call<SystemParametersForDpiCall>("SystemParametersInfoForDpi");
    if (forDpi != nullptr &&
        forDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0, dpi) != FALSE) {
        return CreateFontIndirectW(&metrics.lfMessageFont);
    }
    if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0) == FALSE) {
        return nullptr;
    }
    // The metrics are for the system's DPI: scale them to the window's.
    HDC screen = GetDC(nullptr);
    const int systemDpi = screen != nullptr ? GetDeviceCaps(screen, LOGPIXELSY) : 96;
    if (screen != nullptr) ReleaseDC(nullptr, screen);
    metrics.lfMessageFont.lfHeight =
        MulDiv(metrics.lfMessageFont.lfHeight, static_cast<int>(dpi), systemDpi);
    return CreateFontIndirectW(&metrics.lfMessageFont);
}

UINT windowDpi(HWND window) {
    static const auto forWindow = user32Call<GetDpiForWindowCall>("GetDpiForWindow");
    if (forWindow != nullptr && window != nullptr) {
        const UINT dpi = forWindow(window);
        if (dpi != 0) return dpi;
    }
    HDC screen = GetDC(nullptr);
    const int dpi = screen != nullptr ? GetDeviceCaps(screen, LOGPIXELSY) : 96;
    if (screen != nullptr) ReleaseDC(nullptr, screen);
    return dpi > 0 ? static_cast<UINT>(dpi) : 96;
}

SIZE formSize(UINT dpi) {
    RECT frame = {0, 0,
                  scaled(kPreviewLeft, dpi) + kPreviewWidth + scaled(24 + kPageWidth + 16, dpi),
                  scaled(kFormHeight, dpi)};
    AdjustWindowRectEx(&frame, WS_OVERLAPPEDWINDOW, TRUE, 0);
    return {frame.right - frame.left, frame.bottom - frame.top};
}

std::wstring controlText(HWND window, int id) {
    HWND control = GetDlgItem(window, id);
    const int length = GetWindowTextLengthW(control);
    if (length <= 0) return {};
    std::vector<wchar_t> text(static_cast<std::size_t>(length) + 1);
    const int got = GetWindowTextW(control, text.data(), length + 1);
    return std::wstring(text.data(), got > 0 ? static_cast<std::size_t>(got) : 0);
}

void setControlText(HWND window, int id, const std::wstring& text) {
    SetWindowTextW(GetDlgItem(window, id), text.c_str());
}
