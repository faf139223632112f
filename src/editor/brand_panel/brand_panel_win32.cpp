#include "editor/brand_panel/brand_panel.h"

#include <cderr.h>
#include <commdlg.h>

#include <algorithm>
#include <cstddef>
#include <iterator>
#include <utility>
#include <vector>

#include "brand/version_info.h"
#include "editor/brand_panel/brand_preview.h"
#include "editor/brand_panel/brand_save.h"
#include "editor/editor_dpi.h"

namespace {

static_assert(kBrandCopyright - kBrandCompany + 1 == std::size(kBrandNameFields),
              "a name control for each name, in the fields' order");

// The layout in dialog units (a quarter of the font's average character width across, an
// eighth of its height down), as Windows lays out its dialogs, so it grows with the font.
constexpr int kMargin = 7;
constexpr int kGap = 4;
constexpr int kLabelWidth = 56;
constexpr int kFieldWidth = 180;
constexpr int kButtonWidth = 50;
constexpr int kRowHeight = 14;
constexpr int kRowStep = kRowHeight + kGap;
constexpr int kFieldX = kMargin + kLabelWidth + kGap;
constexpr int kBrowseX = kFieldX + kFieldWidth + kGap;
constexpr int kWidth = kBrowseX + kButtonWidth + kMargin;
constexpr int kWideField = kWidth - kMargin - kFieldX;
constexpr int kStatusY = kMargin + 7 * kRowStep;
constexpr int kStatusHeight = 24;  // three lines
constexpr int kButtonsY = kStatusY + kStatusHeight + kGap;
constexpr int kHeight = kButtonsY + kRowHeight + kMargin;

constexpr int kLabel = -1;  // labels need no number of their own

constexpr int rowY(int row) { return kMargin + row * kRowStep; }

// One control of the panel; the panel makes them in this order, which is the keyboard's.
struct Control {
    int id;
    const wchar_t* type;
    const wchar_t* text;
    DWORD style;
    DWORD extendedStyle;
    int x, y, width, height;
};

constexpr DWORD kLabelStyle = SS_LEFT | WS_GROUP;
constexpr DWORD kEditStyle = ES_AUTOHSCROLL | WS_TABSTOP;
constexpr DWORD kButtonStyle = BS_PUSHBUTTON | WS_TABSTOP;

std::vector<Control> panelControls() {
    std::vector<Control> controls = {
        {kLabel, L"STATIC", L"&Picture:", kLabelStyle, 0, kMargin, rowY(0) + 3, kLabelWidth, 8},
        {kBrandPicture, L"EDIT", L"", kEditStyle, WS_EX_CLIENTEDGE, kFieldX, rowY(0), kFieldWidth,
         kRowHeight},
        {kBrandPictureBrowse, L"BUTTON", L"&Browse...", kButtonStyle, 0, kBrowseX, rowY(0),
         kButtonWidth, kRowHeight},
        {kBrandFit, L"BUTTON", L"Show the &whole picture", BS_AUTOCHECKBOX | WS_TABSTOP, 0, kFieldX,
         rowY(1) + 2, kWideField, 10},
        {kLabel, L"STATIC", L"&Icon:", kLabelStyle, 0, kMargin, rowY(2) + 3, kLabelWidth, 8},
        {kBrandIcon, L"EDIT", L"", kEditStyle, WS_EX_CLIENTEDGE, kFieldX, rowY(2), kFieldWidth,
         kRowHeight},
        {kBrandIconBrowse, L"BUTTON", L"Br&owse...", kButtonStyle, 0, kBrowseX, rowY(2),
         kButtonWidth, kRowHeight},
    };
    int row = 3;
    for (const BrandNameField& field : kBrandNameFields) {
        const int id = kBrandCompany + (row - 3);
        controls.push_back({kLabel, L"STATIC", field.label, kLabelStyle, 0, kMargin, rowY(row) + 3,
                            kLabelWidth, 8});
        controls.push_back({id, L"EDIT", L"", kEditStyle, WS_EX_CLIENTEDGE, kFieldX, rowY(row),
                            kWideField, kRowHeight});
        ++row;
    }
    // Paths are long words: the status breaks them rather than cutting them off.
    controls.push_back({kBrandStatus, L"STATIC", L"", SS_LEFT | SS_NOPREFIX | SS_EDITCONTROL, 0,
                        kMargin, kStatusY, kWidth - 2 * kMargin, kStatusHeight});
    controls.push_back({IDOK, L"BUTTON", L"&Save", BS_DEFPUSHBUTTON | WS_TABSTOP | WS_GROUP, 0,
                        kWidth - kMargin - 2 * kButtonWidth - kGap, kButtonsY, kButtonWidth,
                        kRowHeight});
    controls.push_back({IDCANCEL, L"BUTTON", L"Cancel", kButtonStyle, 0,
                        kWidth - kMargin - kButtonWidth, kButtonsY, kButtonWidth, kRowHeight});
    return controls;
}

// The panel's state for as long as it is open.
struct Panel {
    std::wstring program;
    std::function<void(const Picture*)> showPicture;
    BrandNames names;   // as the program holds them: a name saved only when changed
    std::wstring idle;  // the status while nothing is wrong
    HFONT font = nullptr;
    std::vector<HWND> controls;  // in panelControls() order
    // The picture path and fit the preview was last made for, and the picture shown.
    std::wstring previewed;
    bool previewedFit = false;
    bool previewShown = false;
    Picture picture;
    bool ended = false;  // EndDialog called: the panel only closes from now on
};

// Pixels of 4 dialog units across and 8 down in `font`, as Windows measures a dialog's
// font: the average width of the Latin letters, and the font's height.
SIZE dialogUnits(HWND dialog, HFONT font, UINT dpi) {
    SIZE units = {MulDiv(6, static_cast<int>(dpi), 96), MulDiv(13, static_cast<int>(dpi), 96)};
    HDC dc = GetDC(dialog);
    if (dc == nullptr) return units;
    HGDIOBJ kept = SelectObject(dc, font != nullptr ? font : GetStockObject(DEFAULT_GUI_FONT));
    static const wchar_t letters[] = L"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
    TEXTMETRICW metrics;
    SIZE extent;
    if (GetTextMetricsW(dc, &metrics) && GetTextExtentPoint32W(dc, letters, 52, &extent) &&
        extent.cx > 0 && metrics.tmHeight > 0) {
        units.cx = (extent.cx / 26 + 1) / 2;
        units.cy = metrics.tmHeight;
    }
    SelectObject(dc, kept);
    ReleaseDC(dialog, dc);
    return units;
}

// Sizes the panel to hold `client` pixels at `dpi`: at the top left of `suggested` when
// the system gives one, centred over its owner (or the screen) and kept on the owner's
// monitor otherwise.
void placePanel(HWND dialog, SIZE client, UINT dpi, const RECT* suggested) {
    const DWORD style = static_cast<DWORD>(GetWindowLongW(dialog, GWL_STYLE));
    const DWORD extended = static_cast<DWORD>(GetWindowLongW(dialog, GWL_EXSTYLE));
    const SIZE frame = frameSize(client, style, false, extended, dpi);
    const int width = frame.cx;
    const int height = frame.cy;
    int x = 0;
    int y = 0;
    if (suggested != nullptr) {
        x = suggested->left;
        y = suggested->top;
    } else {
        HWND owner = GetWindow(dialog, GW_OWNER);
        MONITORINFO monitor = {};
        monitor.cbSize = sizeof monitor;
        if (!GetMonitorInfoW(
                MonitorFromWindow(owner != nullptr ? owner : dialog, MONITOR_DEFAULTTOPRIMARY),
                &monitor))
            SystemParametersInfoW(SPI_GETWORKAREA, 0, &monitor.rcWork, 0);
        RECT over = monitor.rcWork;
        if (owner != nullptr && IsWindowVisible(owner) && !IsIconic(owner))
            GetWindowRect(owner, &over);
        x = over.left + (over.right - over.left - width) / 2;
        y = over.top + (over.bottom - over.top - height) / 2;
        const RECT& work = monitor.rcWork;
        if (x + width > work.right) x = work.right - width;
        if (y + height > work.bottom) y = work.bottom - height;
        if (x < work.left) x = work.left;
        if (y < work.top) y = work.top;
    }
    SetWindowPos(dialog, nullptr, x, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

// Gives every control its place and the font for `dpi`, and the panel its size.
void layOut(HWND dialog, Panel& panel, UINT dpi, const RECT* suggested) {
    HFONT font = createUiFont(dpi);
    const SIZE units = dialogUnits(dialog, font, dpi);
    const auto across = [&](int value) { return MulDiv(value, units.cx, 4); };
    const auto down = [&](int value) { return MulDiv(value, units.cy, 8); };
    const std::vector<Control> controls = panelControls();
    const WPARAM shown =
        reinterpret_cast<WPARAM>(font != nullptr ? font : GetStockObject(DEFAULT_GUI_FONT));
    for (std::size_t i = 0; i < controls.size() && i < panel.controls.size(); ++i) {
        const Control& c = controls[i];
        SendMessageW(panel.controls[i], WM_SETFONT, shown, FALSE);
        SetWindowPos(panel.controls[i], nullptr, across(c.x), down(c.y), across(c.width),
                     down(c.height), SWP_NOZORDER | SWP_NOACTIVATE);
    }
    if (panel.font != nullptr) DeleteObject(panel.font);
    panel.font = font;
    placePanel(dialog, {across(kWidth), down(kHeight)}, dpi, suggested);
    InvalidateRect(dialog, nullptr, TRUE);
}

std::wstring fieldText(HWND dialog, int id) {
    HWND field = GetDlgItem(dialog, id);
    const int length = GetWindowTextLengthW(field);
    if (length <= 0) return {};
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(field, &text[0], length + 1)));
    return text;
}

// A path field's text without the blanks and quotation marks a pasted path may bring
// ("Copy as path" quotes it); no path holds a quotation mark.
std::wstring pathField(HWND dialog, int id) {
    const std::wstring text = fieldText(dialog, id);
    const std::size_t first = text.find_first_not_of(L" \t\"");
    if (first == std::wstring::npos) return {};
    return text.substr(first, text.find_last_not_of(L" \t\"") - first + 1);
}

void endPanel(HWND dialog, Panel& panel, INT_PTR result) {
    panel.ended = true;
    EndDialog(dialog, result);
}

void say(HWND dialog, const std::wstring& text) {
    SetDlgItemTextW(dialog, kBrandStatus, text.c_str());
}

// The editor's own picture back in its preview, when the panel's is shown.
void takePreviewBack(Panel& panel) {
    if (!panel.previewShown) return;
    panel.previewShown = false;
    if (panel.showPicture) panel.showPicture(nullptr);
}

// Shows the picture the menu would show with the picture field and the fit as they are,
// unless the preview already shows it.
void updatePreview(HWND dialog, Panel& panel) {
    // The field loses the focus as the panel closes: the editor's picture is back by then.
    if (panel.ended) return;
    const std::wstring path = pathField(dialog, kBrandPicture);
    const bool fit = IsDlgButtonChecked(dialog, kBrandFit) == BST_CHECKED;
    if (path == panel.previewed && fit == panel.previewedFit) return;
    panel.previewed = path;
    panel.previewedFit = fit;
    if (path.empty()) {
        takePreviewBack(panel);
        say(dialog, panel.idle);
        return;
    }
    HCURSOR kept = SetCursor(LoadCursorW(nullptr, IDC_WAIT));
    Picture picture;
    std::wstring error;
    const bool made = brandPicturePreview(path, fit, kBrandBarColour, picture, error);
    SetCursor(kept);
    if (!made) {
        takePreviewBack(panel);
        say(dialog, error);
        return;
    }
    panel.picture = std::move(picture);
    panel.previewShown = true;
    if (panel.showPicture) panel.showPicture(&panel.picture);
    say(dialog, L"The preview shows the picture as the menu will show it.");
}

// Lets the author pick a file for the path field `id`, starting where its path points or
// else in the program's folder. True when one was picked.
bool browse(HWND dialog, const Panel& panel, int id, const wchar_t* filter, const wchar_t* title) {
    std::vector<wchar_t> name(4096, L'\0');
    const std::wstring current = pathField(dialog, id);
    if (current.size() < name.size()) std::copy(current.begin(), current.end(), name.begin());
    const std::wstring folder = panel.program.substr(0, panel.program.find_last_of(L"\\/") + 1);
    OPENFILENAMEW open = {};
    open.lStructSize = sizeof open;
    open.hwndOwner = dialog;
    open.lpstrFilter = filter;
    open.nFilterIndex = 1;
    open.lpstrFile = name.data();
    open.nMaxFile = static_cast<DWORD>(name.size());
    open.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
    open.lpstrTitle = title;
    open.Flags =
        OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
    BOOL picked = GetOpenFileNameW(&open);
    DWORD problem = picked ? 0 : CommDlgExtendedError();
    if (problem == FNERR_INVALIDFILENAME && name[0] != L'\0') {
        // A path in the field the file dialog cannot start from: start afresh.
        std::fill(name.begin(), name.end(), L'\0');
        picked = GetOpenFileNameW(&open);
        problem = picked ? 0 : CommDlgExtendedError();
    }
    if (picked) {
        SetDlgItemTextW(dialog, id, name.data());
        return true;
    }
    if (problem != 0) {  // 0: the author cancelled
        const std::wstring text =
            L"The file dialog cannot be opened (error " + std::to_wstring(problem) + L").";
        MessageBoxW(dialog, text.c_str(), kBrandPanelTitle, MB_OK | MB_ICONWARNING);
    }
    return false;
}

// Saves the author's choices into the program; the panel closes once saved and stays, with
// every entry, when not.
void save(HWND dialog, Panel& panel) {
    BrandChoices choices;
    choices.picture = pathField(dialog, kBrandPicture);
    choices.fit = IsDlgButtonChecked(dialog, kBrandFit) == BST_CHECKED;
    choices.icon = pathField(dialog, kBrandIcon);
    int id = kBrandCompany;
    for (const BrandNameField& field : kBrandNameFields) {
        const std::wstring text = fieldText(dialog, id++);
        if (text != panel.names.*field.current) choices.*field.choice = text;
    }
    HCURSOR kept = SetCursor(LoadCursorW(nullptr, IDC_WAIT));
    const BrandSaveResult result = saveBrandedProgram(panel.program, choices);
    SetCursor(kept);
    if (!result.saved) {
        MessageBoxW(dialog, result.error.c_str(), kBrandPanelTitle, MB_OK | MB_ICONWARNING);
        return;
    }
    std::wstring said = L"The menu program " + panel.program + L" is branded.";
    for (const std::wstring& note : result.notes) said += L"\n\n" + note;
    MessageBoxW(dialog, said.c_str(), kBrandPanelTitle,
                MB_OK | (result.notes.empty() ? MB_ICONINFORMATION : MB_ICONWARNING));
    endPanel(dialog, panel, IDOK);
}

INT_PTR startPanel(HWND dialog, Panel& panel) {
    SetWindowLongPtrW(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(&panel));
    HINSTANCE instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(dialog, GWLP_HINSTANCE));
    for (const Control& c : panelControls()) {
        HWND control = CreateWindowExW(
            c.extendedStyle, c.type, c.text, WS_CHILD | WS_VISIBLE | c.style, 0, 0, 0, 0, dialog,
            reinterpret_cast<HMENU>(static_cast<INT_PTR>(c.id)), instance, nullptr);
        if (control == nullptr) {
            endPanel(dialog, panel, -1);
            return TRUE;
        }
        panel.controls.push_back(control);
    }
    layOut(dialog, panel, windowDpi(dialog), nullptr);

    std::wstring error;
    panel.idle = L"Fields left as they are keep the program's own. Save replaces " + panel.program +
                 L" by its branded copy.";
    if (!readBrandNames(panel.program, panel.names, error)) panel.idle = error;
    say(dialog, panel.idle);
    int id = kBrandCompany;
    for (const BrandNameField& field : kBrandNameFields) {
        SendDlgItemMessageW(dialog, id, EM_SETLIMITTEXT, kMaxVersionText, 0);
        SetDlgItemTextW(dialog, id++, (panel.names.*field.current).c_str());
    }
    SetFocus(GetDlgItem(dialog, kBrandPicture));
    return FALSE;  // the focus is set
}

INT_PTR command(HWND dialog, Panel& panel, int id, int code) {
    switch (id) {
        case IDOK:
            save(dialog, panel);
            return TRUE;
        case IDCANCEL:
            takePreviewBack(panel);
            endPanel(dialog, panel, IDCANCEL);
            return TRUE;
        case kBrandPictureBrowse:
            if (code == BN_CLICKED &&
                browse(
                    dialog, panel, kBrandPicture,
                    L"Pictures (PNG, JPEG, BMP, GIF, TIFF)\0*.png;*.jpg;*.jpeg;*.jpe;*.bmp;*.dib;"
                    L"*.gif;*.tif;*.tiff\0All files\0*.*\0",
                    L"The menu's picture"))
                updatePreview(dialog, panel);
            return TRUE;
        case kBrandIconBrowse:
            if (code == BN_CLICKED)
                browse(dialog, panel, kBrandIcon,
                       L"Icons and square pictures\0*.ico;*.png;*.bmp\0All files\0*.*\0",
                       L"The menu's icon");
            return TRUE;
        case kBrandFit:
            if (code == BN_CLICKED) updatePreview(dialog, panel);
            return TRUE;
        case kBrandPicture:
            // A path typed or pasted is shown once the author moves on.
            if (code == EN_KILLFOCUS) updatePreview(dialog, panel);
            return TRUE;
        default:
            return FALSE;
    }
}

INT_PTR CALLBACK panelProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    Panel* panel = reinterpret_cast<Panel*>(GetWindowLongPtrW(dialog, DWLP_USER));
    switch (message) {
        case WM_INITDIALOG:
            return startPanel(dialog, *reinterpret_cast<Panel*>(lParam));
        case WM_COMMAND:
            if (panel == nullptr) return FALSE;
            return command(dialog, *panel, LOWORD(wParam), HIWORD(wParam));
        case WM_DPICHANGED:
            // Moved to a monitor of another scale: the font and every place again.
            if (panel == nullptr) return FALSE;
            layOut(dialog, *panel, HIWORD(wParam), reinterpret_cast<const RECT*>(lParam));
            return TRUE;
        default:
            return FALSE;
    }
}

// The panel's window: a dialog with no controls in its template (the panel makes its own
// in the system's font), 4-byte aligned as a template must be.
struct alignas(4) PanelTemplate {
    DLGTEMPLATE header;
    WORD menu;
    WORD windowClass;
    wchar_t title[std::size(kBrandPanelTitle)];
};

static_assert(offsetof(PanelTemplate, menu) == sizeof(DLGTEMPLATE), "the arrays follow the header");

}  // namespace

void showBrandPanel(HWND owner, const std::wstring& program,
                    std::function<void(const Picture*)> showPicture) {
    Panel panel;
    panel.program = program;
    panel.showPicture = std::move(showPicture);
    PanelTemplate form = {};
    form.header.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
    form.header.cx = kWidth;
    form.header.cy = kHeight;
    std::copy(std::begin(kBrandPanelTitle), std::end(kBrandPanelTitle), form.title);
    const INT_PTR ended = DialogBoxIndirectParamW(GetModuleHandleW(nullptr), &form.header, owner,
                                                  panelProc, reinterpret_cast<LPARAM>(&panel));
    const DWORD error = GetLastError();
    if (panel.font != nullptr) DeleteObject(panel.font);
    if (ended == IDOK || ended == IDCANCEL) return;
    takePreviewBack(panel);
    const std::wstring text =
        L"The panel cannot be opened (system error " + std::to_wstring(error) + L").";
    MessageBoxW(IsWindow(owner) ? owner : nullptr, text.c_str(), kBrandPanelTitle,
                MB_OK | MB_ICONWARNING);
}
