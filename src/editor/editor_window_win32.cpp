#include "editor/editor_window.h"

#include <commctrl.h>
#include <ole2.h>
#include <shellapi.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "checker/medium_check.h"
#include "editor/brand_panel/brand_panel.h"
#include "editor/dialog_frame.h"
#include "editor/editor_dialogs.h"
#include "editor/editor_dpi.h"
#include "editor/editor_fields.h"
#include "editor/editor_files.h"
#include "editor/editor_form.h"
#include "editor/editor_ids.h"
#include "editor/editor_medium.h"
#include "editor/editor_text.h"
#include "editor/findings/findings_worker.h"
#include "editor/findings_list.h"
#include "editor/model/medium_path.h"
#include "editor/preview/menu_preview.h"
#include "editor/preview/preview_control.h"
#include "editor/run/guide.h"
#include "editor/run/menu_run.h"
#include "editor/session/menu_session.h"
#include "editor/sign_dialog.h"
#include "resource_ids.h"

namespace {

constexpr wchar_t kClassName[] = L"AutorunMenuEditor";
constexpr UINT kCheckDiskMessage = WM_APP;
constexpr UINT kFindingsMessage = WM_APP + 1;
constexpr UINT kRunEndedMessage = WM_APP + 2;
constexpr int kPageIds[kPageCount] = {IDC_TEXTS_PAGE, IDC_LOOK_PAGE, IDC_WINDOWS_PAGE};

// The editor's window: its handles, and the session it shows.
struct Editor {
    HINSTANCE instance = nullptr;
    HWND window = nullptr;
    HACCEL accelerators = nullptr;
    UINT dpi = 96;
    HFONT font = nullptr;

    MenuSession session;
    std::unique_ptr<MenuPreview> preview;
    std::vector<PreviewLanguage> languages;
    std::unique_ptr<FindingsWorker> findings;
    std::uint32_t findingsAsked = 0;  // the generation of the latest request
    std::vector<std::size_t> rows;    // for each row of the list, its finding
    bool asking = false;              // a question about the file on disk is on screen
    HWND focus = nullptr;             // the control that had the focus when the window left
};

Editor editor;

// ---- Small helpers -------------------------------------------------------------------

std::u16string u16(const std::wstring& text) { return std::u16string(text.begin(), text.end()); }
std::wstring wide(const std::u16string& text) { return std::wstring(text.begin(), text.end()); }

HWND control(int id) { return formControl(editor.window, id); }

int ask(const std::wstring& text, UINT flags) {
    return MessageBoxW(editor.window, text.c_str(), kEditorName, flags);
}

void say(const std::wstring& text) {
    SendMessageW(GetDlgItem(editor.window, IDC_STATUS), SB_SETTEXTW, 0,
                 reinterpret_cast<LPARAM>(text.c_str()));
}

// The status bar's second part: whether the menu program is signed, and by whom.
void showSignature() {
    const std::wstring text = signatureText(wide(editor.session.menuProgram()));
    SendMessageW(GetDlgItem(editor.window, IDC_STATUS), SB_SETTEXTW, 1,
                 reinterpret_cast<LPARAM>(text.c_str()));
}

std::wstring path() { return wide(editor.session.path()); }
std::wstring folder() { return wide(editor.session.folder()); }

// ---- What follows a change -----------------------------------------------------------------

void updateTitle() {
    std::wstring title = kEditorName;
    if (editor.session.hasFile()) {
        const std::wstring where = folder();
        title = std::wstring(editor.session.dirty() ? L"*" : L"") + path().substr(where.size()) +
                L" \x2014 " + where + L" \x2014 " + kEditorName;
    }
    SetWindowTextW(editor.window, title.c_str());
}

void choosePicture() {
    const std::wstring program = wide(editor.session.menuProgram());
    if (program.empty() || !editor.preview->usePictureOfProgram(program))
        editor.preview->usePictureOfModule(editor.instance);
}

void showPreview() {
    editor.preview->show(editor.session.bytes(), editor.session.language());
    std::wstring title = L"Window title: " + editor.preview->title();
    if (editor.preview->garbledOnThisPc())
        title += L"  (this PC's code page garbles these texts: their systems show them right)";
    setControlText(GetDlgItem(editor.window, IDC_PREVIEW_TITLE), title);
    previewChanged(GetDlgItem(editor.window, IDC_PREVIEW));
}

void requestFindings() {
    if (!editor.session.hasFile() || editor.findings == nullptr) return;
    editor.findingsAsked = editor.findings->request(editor.session.bytes(), path(), folder(),
                                                    wide(editor.session.menuProgram()));
}

bool withInfos() { return IsDlgButtonChecked(editor.window, IDC_SHOW_INFOS) == BST_CHECKED; }

void listFindings() {
    const std::vector<Finding>& findings = editor.session.findings();
    HWND list = GetDlgItem(editor.window, IDC_FINDINGS);
    editor.rows = showFindings(list, findings, withInfos());
    fitFindingsColumns(list, editor.dpi);
    const int errors = countOf(findings, Severity::Error);
    const int warnings = countOf(findings, Severity::Warning);
    const int infos = countOf(findings, Severity::Info);
    setControlText(GetDlgItem(editor.window, IDC_FINDINGS_LABEL),
                   L"Findings of the chec&ker: " + std::to_wstring(errors) + L" errors, " +
                       std::to_wstring(warnings) + L" warnings" +
                       (withInfos() ? L"" : L", " + std::to_wstring(infos) + L" infos hidden"));
    EnableWindow(GetDlgItem(editor.window, IDC_APPLY_FIX), FALSE);
    setControlText(GetDlgItem(editor.window, IDC_FINDING_TEXT), L"");
}

// The one way changes reach the window: the preview, the fields, the title and the
// findings, in that order, each only when the change touched what it shows.
void sessionChanged(const Change& change) {
    const unsigned flags = change.flags;
    if (flags & kProgramChanged) choosePicture();
    if (flags & (kProgramChanged | kFileChanged)) showSignature();
    if (flags & (kBytesChanged | kSectionChanged | kFileChanged | kProgramChanged)) showPreview();
    if (flags & (kValuesChanged | kSectionChanged | kEntryChanged | kFileChanged)) {
        fillFields(editor.window, editor.session, change.typed);
    } else if (change.typed != nullptr && change.typed->source == FieldSource::Entry &&
               change.typed->part == EntryPart::Caption) {
        renameEntryItem(editor.window, editor.session);
    }
    if (flags & (kValuesChanged | kSectionChanged | kFileChanged)) {
        fillLanguageBox(editor.window, editor.session, editor.languages);
        enableFields(editor.window, editor.session);
    }
    if (flags & (kBytesChanged | kFileChanged)) updateTitle();
    if (flags & (kBytesChanged | kFileChanged | kProgramChanged)) requestFindings();
    if (flags & kFindingsChanged) listFindings();
}

// ---- Edits ---------------------------------------------------------------------------------

// Runs an edit of the session; where a section's code page lacks a character of it, asks
// to save the file as UTF-16 and runs it again with that consent. True when it changed.
template <typename Edit>
bool edit(Edit run) {
    EditResult result = run(Consent::NotAsked);
    if (result.outcome == Outcome::NeedsUtf16 &&
        ask(L"The file is saved in the code pages of its languages' systems, and the code "
            L"page of [" +
                wide(result.section) +
                L"] has no character for part of this text.\n\nSave the file as UTF-16 "
                L"(\"Unicode\"), which every Windows reads and which holds every character? "
                L"The editor never writes \"?\" instead.",
            MB_YESNO | MB_ICONQUESTION) == IDYES) {
        result = run(Consent::Utf16);
    }
    if (result.outcome == Outcome::Refused) say(wide(result.reason));
    if (result.outcome == Outcome::NeedsUtf16) say(wide(refusalOf(EditStatus::NotInCodePage)));
    if (result.outcome == Outcome::Done) say(L"");
    return result.outcome == Outcome::Done;
}

void fieldChanged(const Field& field, bool typing) {
    const std::u16string value = fieldValue(editor.window, field);
    const bool changed = edit(
        [&](Consent consent) { return editor.session.setField(field, value, consent, typing); });
    // A refused edit: the field shows the document's value again.
    if (!changed && editor.session.shown(field) != value)
        showValue(editor.window, field, editor.session.shown(field));
}

void addLanguage() {
    if (!editor.session.hasFile()) return;
    HMENU choices = CreatePopupMenu();
    for (const PreviewLanguage& language : editor.languages) {
        if (language.index == 0 || editor.session.inFile(language.index)) continue;
        const std::wstring item = language.name + L" [" + std::to_wstring(language.index) + L"]";
        AppendMenuW(choices, MF_STRING, static_cast<UINT_PTR>(language.index) + 1, item.c_str());
    }
    const int chosen =
        static_cast<int>(popUpUnder(GetDlgItem(editor.window, IDC_ADD_LANGUAGE), choices));
    if (chosen <= 0) return;
    edit([&](Consent consent) { return editor.session.addLanguage(chosen - 1, consent); });
}

void removeLanguage() {
    if (!editor.session.canRemoveLanguage()) return;
    if (ask(L"Remove section [" + std::to_wstring(editor.session.language()) +
                L"] and every text in it? Its systems then show [0]. "
                L"Undo (Ctrl+Z) brings it back.",
            MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) != IDYES) {
        return;
    }
    edit([](Consent) { return editor.session.removeLanguage(); });
}

// ---- Findings -------------------------------------------------------------------------------

const Finding* selectedFinding() {
    const int row = selectedRow(GetDlgItem(editor.window, IDC_FINDINGS));
    if (row < 0 || static_cast<std::size_t>(row) >= editor.rows.size()) return nullptr;
    return &editor.session.findings()[editor.rows[static_cast<std::size_t>(row)]];
}

void selectPage(Page page) {
    TabCtrl_SetCurSel(GetDlgItem(editor.window, IDC_TABS), static_cast<int>(page));
    for (int i = 0; i < kPageCount; ++i) {
        ShowWindow(GetDlgItem(editor.window, kPageIds[i]),
                   i == static_cast<int>(page) ? SW_SHOWNA : SW_HIDE);
    }
}

// Selecting a finding shows its whole text, and its field in its language and entry.
void findingSelected() {
    const Finding* finding = selectedFinding();
    const bool fixable = finding != nullptr && finding->fix && !finding->fix->values.empty();
    EnableWindow(GetDlgItem(editor.window, IDC_APPLY_FIX), fixable ? TRUE : FALSE);
    if (finding == nullptr) return;
    setControlText(GetDlgItem(editor.window, IDC_FINDING_TEXT),
                   findingPlaceText(*finding) + L"\r\n" + findingText(*finding));
    const std::optional<FindingPlace> place = editor.session.placeOf(*finding);
    if (!place) return;
    editor.session.setLanguage(place->language);
    if (place->field->source == FieldSource::Entry) editor.session.setEntry(place->entry);
    selectPage(place->field->page);
    SetFocus(control(place->field->id));
}

// Applies the selected finding's fix: with `choose`, the value the author picks from the
// ones it offers; else the first of them, as a double click on the finding does.
void applyFix(bool choose) {
    const Finding* finding = selectedFinding();
    if (finding == nullptr || !finding->fix || finding->fix->values.empty()) return;
    const Fix fix = *finding->fix;
    std::size_t choice = 0;
    if (choose) {
        HMENU choices = CreatePopupMenu();
        for (std::size_t i = 0; i < fix.values.size(); ++i) {
            const std::wstring value = wideOf(fix.values[i]);
            const std::wstring item =
                wideOf(fix.key) + L"=" + value + L"  (" + colourName(_wtoi(value.c_str())) + L")";
            AppendMenuW(choices, MF_STRING, i + 1, item.c_str());
        }
        const int chosen =
            static_cast<int>(popUpUnder(GetDlgItem(editor.window, IDC_APPLY_FIX), choices));
        if (chosen <= 0) return;
        choice = static_cast<std::size_t>(chosen - 1);
    }
    if (edit([&](Consent consent) { return editor.session.applyFix(fix, choice, consent); }))
        say(L"Fix applied; Undo (Ctrl+Z) takes it back.");
}

// ---- The entry's file and the menu program -----------------------------------------------

void browseCommand() {
    if (!editor.session.hasFile()) return;
    const std::wstring root = folder();
    const std::wstring name = chooseEntryFile(editor.window, root);
    if (name.empty()) return;
    std::optional<std::wstring> relative;
    if (const std::optional<std::u16string> inside = relativeToRoot(u16(name), u16(root)))
        relative = wide(*inside);
    if (!relative) {
        ask(name + L"\n\nThis file lies outside the medium (" + root +
                L"). The menu starts it by this full path, which other PCs do not have: copy "
                L"it onto the medium and choose it there.",
            MB_OK | MB_ICONWARNING);
    }
    HWND command = control(IDC_COMMAND);
    SetFocus(command);
    // Set as typed: the edit box tells the change, which edits the entry.
    SetWindowTextW(command, relative ? relative->c_str() : name.c_str());
}

// Menu > Sign: the menu program signed with the author's certificate.
void sign() {
    const std::wstring program = wide(editor.session.menuProgram());
    if (program.empty()) {
        ask(L"There is no menu program beside the file to sign.", MB_OK | MB_ICONERROR);
        return;
    }
    if (signMenuProgram(editor.window, program)) {
        showSignature();
        requestFindings();
    }
}

// When the program file at `path` was last written; zero when it cannot be read.
ULONGLONG writtenAt(const std::wstring& path) {
    WIN32_FILE_ATTRIBUTE_DATA data = {};
    if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) return 0;
    return (static_cast<ULONGLONG>(data.ftLastWriteTime.dwHighDateTime) << 32) |
           data.ftLastWriteTime.dwLowDateTime;
}

void brand() {
    const std::wstring program = wide(editor.session.menuProgram());
    if (program.empty()) {
        ask(L"There is no menu program beside the file to brand.", MB_OK | MB_ICONERROR);
        return;
    }
    const ULONGLONG before = writtenAt(program);
    showBrandPanel(editor.window, program, [](const Picture* picture) {
        if (picture != nullptr) {
            editor.preview->usePicture(*picture);
        } else {
            choosePicture();
        }
        showPreview();
    });
    // The program may carry another picture now: the preview and the findings follow it.
    choosePicture();
    showPreview();
    showSignature();
    requestFindings();
    // Branding drops a signature: offer the author's own at once.
    if (writtenAt(program) != before &&
        ask(L"The branded menu program is not signed. Windows warns before unsigned programs "
            L"from a download start, and Smart App Control blocks them.\n\nSign it with your "
            L"certificate now?",
            MB_YESNO | MB_ICONQUESTION) == IDYES)
        sign();
}

// ---- The window ----------------------------------------------------------------------------

void setUpTabs() {
    HWND tabs = GetDlgItem(editor.window, IDC_TABS);
    const wchar_t* names[kPageCount] = {L"Texts", L"Look", L"Windows"};
    for (int i = 0; i < kPageCount; ++i) {
        TCITEMW item = {};
        item.mask = TCIF_TEXT;
        item.pszText = const_cast<wchar_t*>(names[i]);
        TabCtrl_InsertItem(tabs, i, &item);
    }
}

void layOut() {
    HFONT font = createUiFont(editor.dpi);
    layOutForm(editor.window, editor.dpi, font);
    if (editor.font != nullptr) DeleteObject(editor.font);
    editor.font = font;
    fitFindingsColumns(GetDlgItem(editor.window, IDC_FINDINGS), editor.dpi);
    RECT client;
    GetClientRect(editor.window, &client);
    const int parts[] = {client.right - scaled(340, editor.dpi), -1};
    SendDlgItemMessageW(editor.window, IDC_STATUS, SB_SETPARTS, 2, reinterpret_cast<LPARAM>(parts));
    const int percent = MulDiv(100, static_cast<int>(editor.dpi), 96);
    std::wstring note = L"Shown here at one screen pixel per picture pixel.";
    if (percent != 100) {
        note += L" On this monitor (" + std::to_wstring(percent) +
                L" %) Windows scales the menu to " + std::to_wstring(MulDiv(600, percent, 100)) +
                L" \x00D7 " + std::to_wstring(MulDiv(397, percent, 100)) + L" pixels.";
    }
    setControlText(GetDlgItem(editor.window, IDC_SCALE_NOTE), note);
}

// The menu bar's commands, enabled where they can do something now.
void enableCommands(HMENU menu) {
    const bool open = editor.session.hasFile();
    const auto enable = [menu](UINT id, bool on) {
        EnableMenuItem(menu, id, MF_BYCOMMAND | (on ? MF_ENABLED : MF_GRAYED));
    };
    enable(IDM_SAVE, open);
    enable(IDM_SAVE_AS, open);
    enable(IDM_RELOAD, open);
    enable(IDM_PUBLISH, open);
    enable(IDM_UNDO, editor.session.canUndo());
    enable(IDM_REDO, editor.session.canRedo());
    enable(IDM_ADD_LANGUAGE, open);
    enable(IDM_REMOVE_LANGUAGE, editor.session.canRemoveLanguage());
    enable(IDM_OFFER_MENU, open);
    enable(IDM_BRAND, !editor.session.menuProgram().empty());
    enable(IDM_SIGN, !editor.session.menuProgram().empty());
    enable(IDM_RUN, open);
}

// F6: the preview, the fields, the findings in turn.
void nextPane() {
    HWND focus = GetFocus();
    const int order[] = {IDC_PREVIEW, IDC_TABS, IDC_FINDINGS};
    int next = 0;
    for (int i = 0; i < 3; ++i) {
        HWND pane = GetDlgItem(editor.window, order[i]);
        if (focus == pane ||
            (order[i] == IDC_TABS && IsChild(GetParent(focus), focus) &&
             GetParent(GetParent(focus)) == editor.window && GetParent(focus) != editor.window))
            next = (i + 1) % 3;
    }
    SetFocus(GetDlgItem(editor.window, order[next]));
}

bool onMenuCommand(int id) {
    switch (id) {
        case IDM_NEW:
            newMedium(editor.window, editor.instance, editor.session);
            return true;
        case IDM_OPEN:
            openChosen(editor.window, editor.session);
            return true;
        case IDM_SAVE:
            save(editor.window, editor.session, false);
            return true;
        case IDM_SAVE_AS:
            saveAs(editor.window, editor.session);
            return true;
        case IDM_RELOAD:
            reload(editor.window, editor.session);
            return true;
        case IDM_PUBLISH:
            publish(editor.window, editor.session);
            return true;
        case IDM_EXIT:
            SendMessageW(editor.window, WM_CLOSE, 0, 0);
            return true;
        case IDM_UNDO:
            editor.session.undo();
            return true;
        case IDM_REDO:
            editor.session.redo();
            return true;
        case IDM_ADD_LANGUAGE:
            addLanguage();
            return true;
        case IDM_REMOVE_LANGUAGE:
            removeLanguage();
            return true;
        case IDM_OFFER_MENU:
            edit([](Consent consent) { return editor.session.offerMenu(consent); });
            return true;
        case IDM_BRAND:
            brand();
            return true;
        case IDM_RUN:
            runMenu(editor.window, editor.session, kRunEndedMessage);
            return true;
        case IDM_SIGN:
            sign();
            return true;
        case IDM_HELP:
            openGuide(editor.window);
            return true;
        case IDM_ABOUT:
            ask(L"autorun-menu-edit: the editor of the autorun-menu start-up menu.\n\nWhat the "
                L"preview shows is drawn by the menu's own code.",
                MB_OK | MB_ICONINFORMATION);
            return true;
        case IDM_NEXT_PANE:
            nextPane();
            return true;
        default:
            return false;
    }
}

bool onCommand(int id, int code) {
    if (code == 0 || code == 1) {
        if (onMenuCommand(id)) return true;
    }
    switch (id) {
        case IDC_ADD_LANGUAGE:
            if (code == BN_CLICKED) addLanguage();
            return true;
        case IDC_REMOVE_LANGUAGE:
            if (code == BN_CLICKED) removeLanguage();
            return true;
        case IDC_OFFER_MENU:
            if (code == BN_CLICKED)
                edit([](Consent consent) { return editor.session.offerMenu(consent); });
            return true;
        case IDC_BROWSE_COMMAND:
            if (code == BN_CLICKED) browseCommand();
            return true;
        case IDC_APPLY_FIX:
            if (code == BN_CLICKED) applyFix(true);
            return true;
        case IDC_SHOW_INFOS:
            if (code == BN_CLICKED) listFindings();
            return true;
        case IDC_PREVIEW:
            // A click on an entry of the preview selects its fields.
            editor.session.setEntry(code);
            selectPage(Page::Texts);
            SetFocus(control(IDC_CAPTION));
            return true;
        case IDC_LANGUAGE_BOX:
            if (code == CBN_SELCHANGE) {
                const LRESULT chosen =
                    SendDlgItemMessageW(editor.window, IDC_LANGUAGE_BOX, CB_GETCURSEL, 0, 0);
                if (chosen >= 0 && static_cast<std::size_t>(chosen) < editor.languages.size())
                    editor.session.setLanguage(
                        editor.languages[static_cast<std::size_t>(chosen)].index);
            }
            return true;
        case IDC_ENTRY_BOX:
            if (code == CBN_SELCHANGE) {
                const LRESULT chosen = SendMessageW(control(IDC_ENTRY_BOX), CB_GETCURSEL, 0, 0);
                if (chosen >= 0) editor.session.setEntry(static_cast<int>(chosen));
            }
            return true;
        default:
            break;
    }
    const Field* field = fieldOf(id);
    if (field == nullptr) return false;
    if (code == EN_CHANGE || code == CBN_EDITCHANGE) fieldChanged(*field, true);
    if (code == BN_CLICKED || code == CBN_SELCHANGE) fieldChanged(*field, false);
    if (code == EN_KILLFOCUS || code == CBN_KILLFOCUS) editor.session.endTyping();
    return true;
}

LRESULT onNotify(const NMHDR& header) {
    if (header.idFrom == IDC_TABS && header.code == TCN_SELCHANGE) {
        selectPage(static_cast<Page>(TabCtrl_GetCurSel(header.hwndFrom)));
    } else if (header.idFrom == IDC_FINDINGS && header.code == LVN_ITEMCHANGED) {
        const NMLISTVIEW& change = reinterpret_cast<const NMLISTVIEW&>(header);
        if ((change.uNewState & LVIS_SELECTED) && !(change.uOldState & LVIS_SELECTED))
            findingSelected();
    } else if (header.idFrom == IDC_FINDINGS && header.code == NM_DBLCLK) {
        applyFix(false);
    } else if (header.idFrom == IDC_FINDINGS && header.code == LVN_GETINFOTIPW) {
        findingTip(reinterpret_cast<NMLVGETINFOTIPW&>(const_cast<NMHDR&>(header)),
                   editor.session.findings(), editor.rows);
    }
    return 0;
}

LRESULT CALLBACK editorProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE:
            editor.window = window;
            editor.dpi = windowDpi(window);
            createForm(window, editor.instance);
            setUpTabs();
            setUpFindingsList(GetDlgItem(window, IDC_FINDINGS), editor.dpi);
            setPreviewOf(GetDlgItem(window, IDC_PREVIEW), editor.preview.get());
            layOut();
            return 0;
        case WM_SIZE:
            if (wParam != SIZE_MINIMIZED) layOut();
            return 0;
        case WM_GETMINMAXINFO: {
            const SIZE smallest = smallestFormSize(editor.dpi);
            reinterpret_cast<MINMAXINFO*>(lParam)->ptMinTrackSize = {smallest.cx, smallest.cy};
            return 0;
        }
        case WM_DPICHANGED: {
            editor.dpi = HIWORD(wParam);
            const RECT* suggested = reinterpret_cast<const RECT*>(lParam);
            setUpFindingsList(GetDlgItem(window, IDC_FINDINGS), editor.dpi);
            SetWindowPos(window, nullptr, suggested->left, suggested->top,
                         suggested->right - suggested->left, suggested->bottom - suggested->top,
                         SWP_NOZORDER | SWP_NOACTIVATE);
            layOut();
            // The colour boxes measure their items again at the new DPI.
            for (const Field* field = fieldsBegin(); field != fieldsEnd(); ++field) {
                if (field->kind == FieldKind::Colour)
                    SendMessageW(control(field->id), CB_SETITEMHEIGHT, 0, scaled(18, editor.dpi));
            }
            return 0;
        }
        case WM_ACTIVATE:
            // The control with the caret keeps it while another window is active.
            if (LOWORD(wParam) == WA_INACTIVE && IsChild(window, GetFocus()))
                editor.focus = GetFocus();
            return DefWindowProcW(window, message, wParam, lParam);
        case WM_SETFOCUS: {
            HWND to = editor.focus;
            if (to == nullptr || !IsWindow(to) || !IsWindowEnabled(to) || !IsWindowVisible(to))
                to = IsWindowEnabled(control(IDC_TITLE)) ? control(IDC_TITLE)
                                                         : GetDlgItem(window, IDC_LANGUAGE_BOX);
            SetFocus(to);
            return 0;
        }
        case WM_INITMENUPOPUP:
            enableCommands(reinterpret_cast<HMENU>(wParam));
            return 0;
        case WM_COMMAND:
            if (onCommand(LOWORD(wParam), HIWORD(wParam))) return 0;
            break;
        case WM_NOTIFY:
            return onNotify(*reinterpret_cast<const NMHDR*>(lParam));
        case WM_DROPFILES: {
            HDROP drop = reinterpret_cast<HDROP>(wParam);
            const UINT length = DragQueryFileW(drop, 0, nullptr, 0);
            std::wstring name(length + 1, L'\0');
            DragQueryFileW(drop, 0, &name[0], length + 1);
            name.resize(length);
            DragFinish(drop);
            SetForegroundWindow(window);
            if (changesMayGo(editor.window, editor.session))
                openFile(editor.window, editor.session, name);
            return 0;
        }
        case WM_ACTIVATEAPP:
            if (wParam) PostMessageW(window, kCheckDiskMessage, 0, 0);
            return 0;
        case kCheckDiskMessage:
            checkDisk(editor.window, editor.session, editor.asking);
            return 0;
        case kFindingsMessage: {
            std::unique_ptr<CheckResult> result(reinterpret_cast<CheckResult*>(lParam));
            if (result != nullptr && editor.findings != nullptr &&
                static_cast<std::uint32_t>(wParam) == editor.findingsAsked) {
                editor.session.takeFindings(std::move(result->findings));
            }
            return 0;
        }
        case kRunEndedMessage:
            say(L"The menu has closed.");
            return 0;
        case WM_CLOSE:
            if (changesMayGo(editor.window, editor.session)) DestroyWindow(window);
            return 0;
        case WM_DESTROY:
            editor.findings.reset();
            endMenuRuns();
            PostQuitMessage(0);
            return 0;
        default:
            break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

HWND openEditorWindow(HINSTANCE instance, const std::wstring& open, int show,
                      const std::wstring& checkerProgram) {
    // One window at a time; a new one starts afresh.
    editor = Editor();
    editor.instance = instance;
    // The shell's folder picker and drag and drop want an apartment on the window's thread.
    OleInitialize(nullptr);
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_STANDARD_CLASSES | ICC_LISTVIEW_CLASSES |
                                                          ICC_TAB_CLASSES | ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);
    if (!registerPreviewControl(instance)) return nullptr;

    WNDCLASSEXW type = {};
    type.cbSize = sizeof type;
    type.lpfnWndProc = editorProc;
    type.hInstance = instance;
    type.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    type.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(IDI_MENU));
    type.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    type.lpszMenuName = MAKEINTRESOURCEW(IDR_EDITOR_MENU);
    type.lpszClassName = kClassName;
    if (RegisterClassExW(&type) == 0 && GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
        return nullptr;

    editor.preview = std::make_unique<MenuPreview>();
    editor.preview->usePictureOfModule(instance);
    editor.languages = previewLanguages();
    editor.session.setLanguage(systemPreviewLanguage());
    editor.accelerators = LoadAcceleratorsW(instance, MAKEINTRESOURCEW(IDR_EDITOR_ACCELERATORS));

    const UINT dpi = windowDpi(nullptr);
    const SIZE size = formSize(dpi);
    HWND window = CreateWindowExW(WS_EX_CONTROLPARENT | WS_EX_ACCEPTFILES, kClassName, kEditorName,
                                  WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT, size.cx,
                                  size.cy, nullptr, nullptr, instance, nullptr);
    if (window == nullptr) return nullptr;
    // The form was made for the system's DPI; a window that opened on another monitor is
    // laid out again for its own.
    if (windowDpi(window) != dpi) {
        editor.dpi = windowDpi(window);
        const SIZE own = formSize(editor.dpi);
        SetWindowPos(window, nullptr, 0, 0, own.cx, own.cy, SWP_NOMOVE | SWP_NOZORDER);
    }
    editor.findings = std::make_unique<FindingsWorker>(window, kFindingsMessage, checkerProgram);
    editor.session.setListener(sessionChanged);
    sessionChanged({kBytesChanged | kValuesChanged | kSectionChanged | kFileChanged, nullptr});
    // The file before the window shows, so that what the author types the moment it shows
    // lands in a field that takes it.
    if (!open.empty()) openFile(editor.window, editor.session, open);
    ShowWindow(window, show);
    UpdateWindow(window);
    return window;
}

bool editorTakesMessage(HWND window, MSG& message) {
    if (editor.accelerators != nullptr &&
        TranslateAcceleratorW(window, editor.accelerators, &message) != 0) {
        return true;
    }
    return IsDialogMessageW(window, &message) != FALSE;
}

bool openInEditor(const std::wstring& path) {
    return changesMayGo(editor.window, editor.session) &&
           openFile(editor.window, editor.session, path);
}
