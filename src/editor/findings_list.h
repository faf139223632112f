// The findings list of the editor's window: a report list view of the checker's findings,
// each with its severity's icon, its place and its whole text (also as the row's tip, as
// the list is narrower than many texts). Infos, most of the list, can be left out.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <vector>

#include "checker/report.h"

// Gives the list its columns and icons at `dpi`.
void setUpFindingsList(HWND list, UINT dpi);

// Fills the list with `findings` in their order, infos only when `withInfos`. Returns, for
// each row, the index of its finding in `findings`.
std::vector<std::size_t> showFindings(HWND list, const std::vector<Finding>& findings,
                                      bool withInfos);

// The row selected, -1 for none.
int selectedRow(HWND list);

// A finding's place and text as the list shows them.
std::wstring findingPlaceText(const Finding& finding);
std::wstring findingText(const Finding& finding);

// Fits the columns to the list's width: the place, then the text taking the rest, or
// more when a text is longer (the list then scrolls).
void fitFindingsColumns(HWND list, UINT dpi);

// Answers the list's LVN_GETINFOTIP with the row's whole text.
void findingTip(NMLVGETINFOTIPW& tip, const std::vector<Finding>& findings,
                const std::vector<std::size_t>& rows);
