#include "editor/findings_list.h"

#include <commctrl.h>

#include "console/console_text.h"
#include "editor/editor_dpi.h"

namespace {

constexpr int kPlaceWidth = 150;

}  // namespace

void setUpFindingsList(HWND list, UINT dpi) {
    ListView_SetExtendedListViewStyle(list,
                                      LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER | LVS_EX_INFOTIP);
    HIMAGELIST icons =
        ImageList_Create(systemMetric(SM_CXSMICON, dpi), systemMetric(SM_CYSMICON, dpi),
                         ILC_COLOR32 | ILC_MASK, 4, 0);
    // In the order of Severity: info, note, warning, error.
    for (LPCWSTR icon : {IDI_INFORMATION, IDI_INFORMATION, IDI_WARNING, IDI_ERROR})
        ImageList_AddIcon(icons, LoadIconW(nullptr, icon));
    HIMAGELIST old = ListView_SetImageList(list, icons, LVSIL_SMALL);
    if (old != nullptr) ImageList_Destroy(old);
    if (Header_GetItemCount(ListView_GetHeader(list)) > 0) return;
    LVCOLUMNW column = {};
    column.mask = LVCF_TEXT | LVCF_WIDTH;
    column.cx = scaled(kPlaceWidth, dpi);
    column.pszText = const_cast<wchar_t*>(L"Where");
    ListView_InsertColumn(list, 0, &column);
    column.pszText = const_cast<wchar_t*>(L"Finding");
    column.cx = scaled(450, dpi);
    ListView_InsertColumn(list, 1, &column);
}

std::wstring findingPlaceText(const Finding& finding) {
    if (!finding.place.inMenuFile()) return wideFromCodePage(finding.place.path, kAnsiCodePage);
    return wideFromCodePage(placeText(finding.place), finding.codePage);
}

std::wstring findingText(const Finding& finding) {
    return wideFromCodePage(severityName(finding.severity), kAnsiCodePage) + L": " +
           wideFromCodePage(finding.text, finding.codePage);
}

std::vector<std::size_t> showFindings(HWND list, const std::vector<Finding>& findings,
                                      bool withInfos) {
    std::vector<std::size_t> rows;
    SendMessageW(list, WM_SETREDRAW, FALSE, 0);
    ListView_DeleteAllItems(list);
    for (std::size_t i = 0; i < findings.size(); ++i) {
        const Finding& finding = findings[i];
        if (finding.severity == Severity::Info && !withInfos) continue;
        std::wstring place = findingPlaceText(finding);
        std::wstring text = findingText(finding);
        LVITEMW item = {};
        item.mask = LVIF_TEXT | LVIF_IMAGE;
        item.iItem = static_cast<int>(rows.size());
        item.iImage = static_cast<int>(finding.severity);
        item.pszText = &place[0];
        const int row = ListView_InsertItem(list, &item);
        if (row < 0) continue;
        ListView_SetItemText(list, row, 1, &text[0]);
        rows.push_back(i);
    }
    SendMessageW(list, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list, nullptr, TRUE);
    return rows;
}

int selectedRow(HWND list) { return ListView_GetNextItem(list, -1, LVNI_SELECTED); }

void fitFindingsColumns(HWND list, UINT dpi) {
    RECT inside;
    GetClientRect(list, &inside);
    const int place = scaled(kPlaceWidth, dpi);
    ListView_SetColumnWidth(list, 0, place);
    // The longest text decides when it is wider than the room left.
    ListView_SetColumnWidth(list, 1, LVSCW_AUTOSIZE);
    const int rest = (inside.right - inside.left) - place;
    if (ListView_GetColumnWidth(list, 1) < rest) ListView_SetColumnWidth(list, 1, rest);
}

void findingTip(NMLVGETINFOTIPW& tip, const std::vector<Finding>& findings,
                const std::vector<std::size_t>& rows) {
    if (tip.iItem < 0 || static_cast<std::size_t>(tip.iItem) >= rows.size() ||
        tip.pszText == nullptr || tip.cchTextMax <= 0)
        return;
    const Finding& finding = findings[rows[static_cast<std::size_t>(tip.iItem)]];
    const std::wstring text = findingPlaceText(finding) + L"\n" + findingText(finding);
    // The tip's buffer holds cchTextMax characters with the terminating NUL.
    const std::size_t room = static_cast<std::size_t>(tip.cchTextMax) - 1;
    const std::size_t length = text.size() < room ? text.size() : room;
    text.copy(tip.pszText, length);
    tip.pszText[length] = L'\0';
}
