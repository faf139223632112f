#include "editor/editor_window.h"

#include <commctrl.h>
#include <commdlg.h>
#include <shellapi.h>
#include <shlobj.h>

#include <algorithm>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "checker/medium_check.h"
#include "checker/menu_program.h"
#include "checker/report.h"
#include "checker/section_check.h"
#include "config/colour_table.h"
#include "config/view_keys.h"
#include "editor/brand_panel/brand_panel.h"
#include "editor/editor_form.h"
#include "editor/editor_ids.h"
#include "editor/editor_text.h"
#include "editor/file/menu_file_io.h"
#include "editor/file/windows_codec.h"
#include "editor/findings/findings_worker.h"
#include "editor/model/edit_history.h"
#include "editor/model/entry_fields.h"
#include "editor/model/medium_path.h"
#include "editor/preview/menu_preview.h"
#include "editor/run/guide.h"
#include "editor/run/menu_run.h"
#include "resource_ids.h"
#include "state/launcher_state.h"

namespace {

constexpr wchar_t kClassName[] = L"AutorunMenuEditor";
constexpr wchar_t kPreviewClass[] = L"AutorunMenuPreview";
constexpr wchar_t kProgramName[] = L"autorun-menu-edit";
constexpr UINT kFindingsMessage = WM_APP + 1;
constexpr UINT kRunEndedMessage = WM_APP + 2;

// Where a field's value lives in the menu file.
struct FieldKey {
    int id;
    const char16_t* section;  // null: the language section the fields edit
    const char16_t* key;      // null: the entry chosen in the entry box
};

constexpr FieldKey kFieldKeys[] = {
    {kTitle, nullptr, u"Title"},
    {kPrompt, nullptr, u"Prompt"},
    {kCaption, nullptr, nullptr},
    {kCommand, nullptr, nullptr},
    {kParameters, nullptr, nullptr},
    {kComment, nullptr, nullptr},
    {kErrorText, nullptr, nullptr},
    {kCloses, nullptr, nullptr},
    {kFontName, u"View", u"FontName"},
    {kFontSize, u"View", u"FontSize"},
    {kFontBold, u"View", u"FontBold"},
    {kFontItalic, u"View", u"FontItalic"},
    {kFontUnderlined, u"View", u"FontUnderlined"},
    {kCommentFontName, u"View", u"FontCommentName"},
    {kCommentFontSize, u"View", u"FontCommentSize"},
    {kFontColor, u"View", u"FontColor"},
    {kFontActiveColor, u"View", u"FontActiveColor"},
    {kFontCommentColor, u"View", u"FontCommentColor"},
    {kBkCommentColor, u"View", u"BkCommentColor"},
    {kOpen, u"autorun", u"open"},
    {kIcon, u"autorun", u"icon"},
    {kLabel, u"autorun", u"label"},
};

const FieldKey* fieldKeyOf(int id) {
    for (const FieldKey& field : kFieldKeys) {
        if (field.id == id) return &field;
    }
    return nullptr;
}

bool isEntryField(int id) { return id >= kCaption && id <= kCloses; }
bool isColourBox(int id) {
    return id == kFontColor || id == kFontActiveColor || id == kFontCommentColor ||
           id == kBkCommentColor;
}
bool isCheckBox(int id) {
    return id == kCloses || id == kFontBold || id == kFontItalic || id == kFontUnderlined;
}

// The one editor window's state.
struct Editor {
    HINSTANCE instance = nullptr;
    HWND window = nullptr;
    HACCEL accelerators = nullptr;
    UINT dpi = 96;
    HFONT font = nullptr;
    Page page = Page::Texts;

    std::wstring path;  // the open autorun.inf, full; empty when none is open
    ProfileDocument document = ProfileDocument::fromText(u"");
    std::string savedBytes;  // the file as last read or written
    FileStamp stamp;
    bool asking = false;  // a question about the file on disk is on screen
    // The author chose to keep their version over a change on disk: not asked again on
    // activation until the next open or save (saving still asks before it overwrites).
    bool keptOverDisk = false;
    EditHistory history;

    std::unique_ptr<MenuPreview> preview;
    std::vector<PreviewLanguage> languages;
    std::int32_t language = 0;  // the preview's language section
    std::int32_t section = 0;   // the section the text fields edit: the one in force
    int entry = 0;              // the entry the entry fields edit, 0 to 4
    int filling = 0;            // above 0 while fields are set from the document

    std::unique_ptr<FindingsWorker> findings;
    std::uint32_t findingsAsked = 0;  // the generation of the latest request
    std::vector<Finding> shown;       // the findings in the list, in its order
    bool running = false;             // a menu started with Run has not ended yet
};

Editor editor;

// ---- Small helpers -------------------------------------------------------------------

std::u16string u16(const std::wstring& text) { return std::u16string(text.begin(), text.end()); }
std::wstring wide(const std::u16string& text) { return std::wstring(text.begin(), text.end()); }

std::wstring folderOf(const std::wstring& path) {
    const std::size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash + 1);
}

std::wstring sectionName() { return std::to_wstring(editor.section); }

int ask(const std::wstring& text, UINT flags) {
    return MessageBoxW(editor.window, text.c_str(), kProgramName, flags);
}

void say(const std::wstring& text) {
    SendMessageW(GetDlgItem(editor.window, kStatus), SB_SETTEXTW, 0,
                 reinterpret_cast<LPARAM>(text.c_str()));
}

bool dirty() { return !editor.path.empty() && editor.document.toBytes() != editor.savedBytes; }

void updateTitle() {
    std::wstring title = kProgramName;
    if (!editor.path.empty()) {
        const std::wstring folder = folderOf(editor.path);
        title = std::wstring(dirty() ? L"*" : L"") + editor.path.substr(folder.size()) +
                L" \x2014 " + folder + L" \x2014 " + kProgramName;
    }
    SetWindowTextW(editor.window, title.c_str());
}

// The menu program beside the open file: the one that carries the menu's picture.
std::wstring menuProgram() {
    if (editor.path.empty()) return {};
    const std::string found = findMenuProgram(ansiOf(folderOf(editor.path)));
    return found.empty() ? std::wstring() : wideOf(found);
}

// ---- The preview ----------------------------------------------------------------------

void showPreview() {
    const std::string bytes = editor.document.toBytes();
    editor.preview->show(bytes, editor.language);
    editor.section = editor.preview->sectionInForce();
    HWND preview = GetDlgItem(editor.window, kPreview);
    SetWindowTextW(preview, editor.preview->description().c_str());
    setControlText(editor.window, kPreviewTitle, L"Window title: " + editor.preview->title());
    InvalidateRect(preview, nullptr, FALSE);
}

void choosePicture() {
    const std::wstring program = menuProgram();
    if (program.empty() || !editor.preview->usePictureOfProgram(program))
        editor.preview->usePictureOfModule(editor.instance);
}

LRESULT CALLBACK previewProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_PAINT: {
            PAINTSTRUCT paint;
            HDC dc = BeginPaint(window, &paint);
            if (editor.preview != nullptr) editor.preview->paint(dc, 0, 0);
            if (GetFocus() == window) {
                RECT focus = {0, 0, 600, 397};
                DrawFocusRect(dc, &focus);
            }
            EndPaint(window, &paint);
            return 0;
        }
        case WM_MOUSEMOVE: {
            TRACKMOUSEEVENT track = {sizeof track, TME_LEAVE, window, 0};
            TrackMouseEvent(&track);
            const int slot = editor.preview->entryAt(static_cast<short>(LOWORD(lParam)),
                                                     static_cast<short>(HIWORD(lParam)));
            if (slot != editor.preview->hover()) {
                editor.preview->setHover(slot);
                InvalidateRect(window, nullptr, FALSE);
            }
            return 0;
        }
        case WM_MOUSELEAVE:
            editor.preview->setHover(-1);
            InvalidateRect(window, nullptr, FALSE);
            return 0;
        case WM_LBUTTONDOWN: {
            SetFocus(window);
            const int slot = editor.preview->entryAt(static_cast<short>(LOWORD(lParam)),
                                                     static_cast<short>(HIWORD(lParam)));
            if (slot >= 0)
                SendMessageW(GetParent(window), WM_COMMAND, MAKEWPARAM(kPreview, slot), 0);
            return 0;
        }
        case WM_GETDLGCODE:
            return DLGC_WANTARROWS;
        case WM_KEYDOWN: {
            // Up and down light the entries in turn, Enter or Space selects the lit one.
            int slot = editor.preview->hover();
            if (wParam == VK_DOWN || wParam == VK_UP) {
                // The next shown entry that way; slots without a shown entry are passed by.
                const int step = wParam == VK_DOWN ? 1 : kMenuItemSlots - 1;
                int next = slot < 0 ? (wParam == VK_DOWN ? kMenuItemSlots - 1 : 0) : slot;
                for (int tried = 0; tried < kMenuItemSlots; ++tried) {
                    next = (next + step) % kMenuItemSlots;
                    editor.preview->setHover(next);
                    if (editor.preview->hover() == next) break;
                }
                InvalidateRect(window, nullptr, FALSE);
                NotifyWinEvent(EVENT_OBJECT_NAMECHANGE, window, OBJID_CLIENT, CHILDID_SELF);
                return 0;
            }
            if ((wParam == VK_RETURN || wParam == VK_SPACE) && slot >= 0) {
                SendMessageW(GetParent(window), WM_COMMAND, MAKEWPARAM(kPreview, slot), 0);
                return 0;
            }
            break;
        }
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
            InvalidateRect(window, nullptr, FALSE);
            return 0;
        default:
            break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

// ---- Fields and the document ------------------------------------------------------------

std::u16string valueOf(const char16_t* section, const char16_t* key) {
    return editor.document.value(section, key).value_or(u"");
}

EntryFields entryOf(int slot) {
    const std::u16string key = u16(std::to_wstring(slot + 1));
    return entryFieldsOf(valueOf(u16(sectionName()).c_str(), key.c_str()));
}

void selectColour(int id, const std::u16string& value, std::int32_t fallback) {
    std::int32_t number = fallback;
    if (!value.empty()) {
        const int read = _wtoi(wide(value).c_str());
        if (read > 0 && isColourNumber(read)) number = read;
    }
    // The boxes list the colours 1 to 17: the file cannot set colour 0 (the same black as 1).
    SendDlgItemMessageW(editor.window, id, CB_SETCURSEL, number > 0 ? number - 1 : 0, 0);
}

void fillEntryBox() {
    HWND box = GetDlgItem(editor.window, kEntryBox);
    SendMessageW(box, CB_RESETCONTENT, 0, 0);
    for (int slot = 0; slot < kMenuItemSlots; ++slot) {
        const EntryFields fields = entryOf(slot);
        std::wstring item = std::to_wstring(slot + 1) + L": ";
        item += fields.caption.empty() ? L"(not shown)" : wide(fields.caption);
        SendMessageW(box, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
    }
    SendMessageW(box, CB_SETCURSEL, editor.entry, 0);
}

void fillEntryFields() {
    const EntryFields fields = entryOf(editor.entry);
    setControlText(editor.window, kCaption, wide(fields.caption));
    setControlText(editor.window, kCommand, wide(fields.command));
    setControlText(editor.window, kParameters, wide(fields.parameters));
    setControlText(editor.window, kComment, wide(shownText(fields.comment)));
    setControlText(editor.window, kErrorText, wide(shownText(fields.errorText)));
    CheckDlgButton(editor.window, kCloses, fields.closes ? BST_CHECKED : BST_UNCHECKED);
}

// Sets every field from the document, without the change counting as an edit.
void fillFields() {
    ++editor.filling;
    const std::u16string section = u16(sectionName());
    std::wstring note = L"These systems show section [" + sectionName() + L"].";
    if (editor.section != editor.language)
        note = L"Section [" + std::to_wstring(editor.language) +
               L"] has no title, so these systems show [0]. Add this language to give them "
               L"texts of their own.";
    setControlText(editor.window, kSectionNote, note);
    setControlText(editor.window, kTitle, wide(valueOf(section.c_str(), u"Title")));
    setControlText(editor.window, kPrompt, wide(valueOf(section.c_str(), u"Prompt")));
    fillEntryBox();
    fillEntryFields();

    const ViewSettings defaults;
    for (const FieldKey& field : kFieldKeys) {
        if (field.section == nullptr) continue;
        const std::u16string value = valueOf(field.section, field.key);
        if (isColourBox(field.id)) {
            std::int32_t fallback = 0;
            for (const ViewKey& key : kViewKeys) {
                if (u16(wideOf(key.name)) == field.key) fallback = defaults.*key.number;
            }
            selectColour(field.id, value, fallback);
        } else if (isCheckBox(field.id)) {
            CheckDlgButton(editor.window, field.id,
                           _wtoi(wide(value).c_str()) > 0 ? BST_CHECKED : BST_UNCHECKED);
        } else {
            setControlText(editor.window, field.id, wide(value));
        }
    }
    CheckDlgButton(editor.window, kNumbers, BST_CHECKED);
    EnableWindow(
        GetDlgItem(editor.window, kRemoveLanguage),
        editor.language != 0 && editor.document.sectionLine(u16(std::to_wstring(editor.language))));
    --editor.filling;
}

void requestFindings() {
    if (editor.path.empty() || editor.findings == nullptr) return;
    const std::wstring folder = folderOf(editor.path);
    editor.findingsAsked =
        editor.findings->request(editor.document.toBytes(), editor.path, folder, menuProgram());
}

void fillLanguageBox();

// After every change of the document: the preview, the fields that follow from it, the
// title and the findings.
void documentChanged(bool refill) {
    const std::int32_t before = editor.section;
    showPreview();
    if (refill || editor.section != before) {
        fillFields();
    } else {
        ++editor.filling;
        fillEntryBox();
        --editor.filling;
    }
    updateTitle();
    requestFindings();
}

// The text for a value the document would not store.
std::wstring refusal(EditStatus status) {
    switch (status) {
        case EditStatus::ValueNotStorable:
            return L"A value holds no line breaks: the menu file keeps one value a line.";
        case EditStatus::NameNotStorable:
            return L"That name cannot be written so that Windows reads it back.";
        case EditStatus::NotInCodePage:
            return L"The code page of these systems lacks a character of the text.";
        case EditStatus::Done:
            break;
    }
    return {};
}

// Applies one edit; for an ANSI file whose section's code page lacks a character, offers
// UTF-16 instead, which holds every character. False when nothing changed.
bool edit(const std::u16string& section, const std::u16string& key, const std::u16string& value,
          int group) {
    ProfileDocument before = editor.document;
    EditStatus status = editor.document.setValue(section, key, value);
    if (status == EditStatus::NotInCodePage) {
        const int answer = ask(
            L"The file is saved in the code pages of its languages' systems, and the code page "
            L"of [" +
                wide(section) +
                L"] has no character for part of this text.\n\nSave the "
                L"file as UTF-16 (\"Unicode\"), which every Windows reads and which holds every "
                L"character? The editor never writes \"?\" instead.",
            MB_YESNO | MB_ICONQUESTION);
        if (answer == IDYES) {
            editor.document.convertToUtf16();
            status = editor.document.setValue(section, key, value);
        }
    }
    if (status != EditStatus::Done) {
        editor.document = before;
        say(refusal(status));
        return false;
    }
    if (editor.document.toBytes() == before.toBytes()) return false;
    editor.history.record(before, group);
    say(L"");
    return true;
}

// The value a field holds now, as the menu file stores it.
std::u16string fieldValue(int id) {
    if (isColourBox(id)) {
        const LRESULT chosen = SendDlgItemMessageW(editor.window, id, CB_GETCURSEL, 0, 0);
        return chosen == CB_ERR ? u"" : u16(std::to_wstring(chosen + 1));
    }
    if (isCheckBox(id)) return IsDlgButtonChecked(editor.window, id) == BST_CHECKED ? u"1" : u"0";
    if (id == kFontName || id == kCommentFontName) {
        // While the author picks from the list, the edit part still shows the old face.
        HWND box = GetDlgItem(editor.window, id);
        const LRESULT chosen = SendMessageW(box, CB_GETCURSEL, 0, 0);
        if (chosen != CB_ERR) {
            const LRESULT length = SendMessageW(box, CB_GETLBTEXTLEN, chosen, 0);
            std::wstring text(static_cast<std::size_t>(length > 0 ? length : 0) + 1, L'\0');
            SendMessageW(box, CB_GETLBTEXT, chosen, reinterpret_cast<LPARAM>(&text[0]));
            text.resize(wcslen(text.c_str()));
            return u16(text);
        }
    }
    return u16(controlText(editor.window, id));
}

void fieldChanged(int id, bool typing) {
    if (editor.filling > 0 || editor.path.empty()) return;
    const FieldKey* field = fieldKeyOf(id);
    if (field == nullptr) return;
    const int group = typing ? id : 0;
    bool changed = false;
    if (isEntryField(id)) {
        EntryFields fields = entryOf(editor.entry);
        const std::u16string text = fieldValue(id);
        switch (id) {
            case kCaption:
                fields.caption = text;
                break;
            case kCommand:
                fields.command = text;
                break;
            case kParameters:
                fields.parameters = text;
                break;
            case kComment:
                fields.comment = storedText(text);
                break;
            case kErrorText:
                fields.errorText = storedText(text);
                break;
            case kCloses:
                fields.closes = text == u"1";
                break;
            default:
                break;
        }
        if (!fitsInField(text)) {
            say(L"A field cannot hold \"|\": the menu takes it for the start of the next field.");
            fillFields();
            return;
        }
        changed = edit(u16(sectionName()), u16(std::to_wstring(editor.entry + 1)),
                       entryLineOf(fields), group);
    } else {
        const std::u16string section = field->section ? field->section : u16(sectionName());
        changed = edit(section, field->key, fieldValue(id), group);
    }
    if (!changed) {
        // A refused edit: the field shows the document's value again.
        if (!typing) fillFields();
        return;
    }
    documentChanged(false);
}

// ---- Languages ---------------------------------------------------------------------------

bool inFile(std::int32_t index) {
    return editor.document.sectionLine(u16(std::to_wstring(index))).has_value();
}

void fillLanguageBox() {
    HWND box = GetDlgItem(editor.window, kLanguageBox);
    SendMessageW(box, CB_RESETCONTENT, 0, 0);
    int selected = 0;
    for (std::size_t i = 0; i < editor.languages.size(); ++i) {
        const PreviewLanguage& language = editor.languages[i];
        std::wstring item = language.name + L" [" + std::to_wstring(language.index) + L"]";
        if (inFile(language.index)) item += L", in the file";
        SendMessageW(box, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
        if (language.index == editor.language) selected = static_cast<int>(i);
    }
    SendMessageW(box, CB_SETCURSEL, selected, 0);
}

void setLanguage(std::int32_t index) {
    editor.language = index;
    fillLanguageBox();
    documentChanged(true);
}

void addLanguage() {
    if (editor.path.empty()) return;
    HMENU choices = CreatePopupMenu();
    for (const PreviewLanguage& language : editor.languages) {
        if (inFile(language.index)) continue;
        const std::wstring item = language.name + L" [" + std::to_wstring(language.index) + L"]";
        AppendMenuW(choices, MF_STRING, static_cast<UINT_PTR>(language.index) + 1, item.c_str());
    }
    RECT button;
    GetWindowRect(GetDlgItem(editor.window, kAddLanguage), &button);
    const int chosen =
        static_cast<int>(TrackPopupMenu(choices, TPM_RETURNCMD | TPM_NONOTIFY, button.left,
                                        button.bottom, 0, editor.window, nullptr));
    DestroyMenu(choices);
    if (chosen <= 0) return;
    const std::int32_t index = chosen - 1;

    // A new language starts from [0]'s texts, as the author will translate them.
    ProfileDocument before = editor.document;
    const std::u16string section = u16(std::to_wstring(index));
    EditStatus status = editor.document.addSection(section);
    for (const std::string& key : languageKeys()) {
        if (status != EditStatus::Done) break;
        const std::u16string name = u16(wideOf(key));
        const std::optional<std::u16string> value = editor.document.value(u"0", name);
        if (value) status = editor.document.setValue(section, name, *value);
        if (status == EditStatus::NotInCodePage &&
            ask(L"The code page of [" + wide(section) +
                    L"]'s systems lacks characters of [0]'s "
                    L"texts. Save the file as UTF-16 (\"Unicode\"), which holds every character?",
                MB_YESNO | MB_ICONQUESTION) == IDYES) {
            editor.document.convertToUtf16();
            status = editor.document.setValue(section, name, *value);
        }
    }
    if (status != EditStatus::Done) {
        editor.document = before;
        say(refusal(status));
        return;
    }
    editor.history.record(before, 0);
    setLanguage(index);
}

void removeLanguage() {
    if (editor.path.empty() || editor.language == 0 || !inFile(editor.language)) return;
    const std::wstring section = std::to_wstring(editor.language);
    if (ask(L"Remove section [" + section +
                L"] and every text in it? Its systems then show [0]. "
                L"Undo (Ctrl+Z) brings it back.",
            MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) != IDYES) {
        return;
    }
    ProfileDocument before = editor.document;
    if (editor.document.removeSection(u16(section)) != EditStatus::Done) return;
    editor.history.record(before, 0);
    fillLanguageBox();
    documentChanged(true);
}

// ---- Findings -------------------------------------------------------------------------------

void showFindings(const CheckResult& result) {
    HWND list = GetDlgItem(editor.window, kFindings);
    SendMessageW(list, WM_SETREDRAW, FALSE, 0);
    ListView_DeleteAllItems(list);
    editor.shown.clear();
    // Errors first, then warnings, notes and infos, each in the checker's order.
    for (const Severity severity :
         {Severity::Error, Severity::Warning, Severity::Note, Severity::Info}) {
        for (const Finding& finding : result.findings) {
            if (finding.severity == severity) editor.shown.push_back(finding);
        }
    }
    int row = 0;
    for (const Finding& finding : editor.shown) {
        std::wstring place = wideOf(placeText(finding.place), finding.codePage);
        if (!finding.place.inMenuFile()) place = wideOf(finding.place.path);
        LVITEMW item = {};
        item.mask = LVIF_TEXT | LVIF_IMAGE;
        item.iItem = row;
        item.iImage = static_cast<int>(finding.severity);
        item.pszText = &place[0];
        ListView_InsertItem(list, &item);
        std::wstring text =
            wideOf(severityName(finding.severity)) + L": " + wideOf(finding.text, finding.codePage);
        ListView_SetItemText(list, row, 1, &text[0]);
        ++row;
    }
    SendMessageW(list, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list, nullptr, TRUE);
    const int errors = countOf(result.findings, Severity::Error);
    const int warnings = countOf(result.findings, Severity::Warning);
    setControlText(editor.window, kFindingsLabel,
                   L"&Findings of the checker: " + std::to_wstring(errors) + L" errors, " +
                       std::to_wstring(warnings) + L" warnings");
    EnableWindow(GetDlgItem(editor.window, kApplyFix), FALSE);
}

const Finding* selectedFinding() {
    const int row = ListView_GetNextItem(GetDlgItem(editor.window, kFindings), -1, LVNI_SELECTED);
    if (row < 0 || static_cast<std::size_t>(row) >= editor.shown.size()) return nullptr;
    return &editor.shown[static_cast<std::size_t>(row)];
}

void selectPage(Page page) {
    editor.page = page;
    TabCtrl_SetCurSel(GetDlgItem(editor.window, kTabs), static_cast<int>(page));
    showPage(editor.window, page);
}

// Selecting a finding selects its field and shows its language.
void findingSelected() {
    const Finding* finding = selectedFinding();
    EnableWindow(GetDlgItem(editor.window, kApplyFix),
                 finding != nullptr && finding->fix.has_value());
    if (finding == nullptr || !finding->place.inMenuFile()) return;
    const SectionClass section = classifySection(finding->place.section);
    int focus = 0;
    if (section.kind == SectionKind::Language) {
        if (section.languageIndex != editor.language) setLanguage(section.languageIndex);
        const std::string& key = finding->place.key;
        if (key.size() == 1 && key[0] >= '1' && key[0] <= '5') {
            editor.entry = key[0] - '1';
            ++editor.filling;
            fillEntryBox();
            fillEntryFields();
            --editor.filling;
            focus = kCaption;
        } else if (_stricmp(key.c_str(), "Prompt") == 0) {
            focus = kPrompt;
        } else {
            focus = kTitle;
        }
    }
    for (const FieldKey& field : kFieldKeys) {
        if (field.section != nullptr && u16(wideOf(finding->place.section)) == field.section &&
            _wcsicmp(wideOf(finding->place.key).c_str(), wide(field.key).c_str()) == 0) {
            focus = field.id;
        }
    }
    if (focus == 0) return;
    selectPage(pageOf(focus));
    SetFocus(GetDlgItem(editor.window, focus));
}

// Applies the selected finding's fix: with `choose`, the value the author picks from the
// ones it offers; else the first of them, as a double click on the finding does.
void applyFix(bool choose) {
    const Finding* finding = selectedFinding();
    if (finding == nullptr || !finding->fix || finding->fix->values.empty()) return;
    const Fix fix = *finding->fix;
    if (!choose) {
        if (edit(u16(wideOf(fix.section)), u16(wideOf(fix.key)), u16(wideOf(fix.values[0])), 0)) {
            documentChanged(true);
            say(L"Fix applied; Undo (Ctrl+Z) takes it back.");
        }
        return;
    }
    HMENU choices = CreatePopupMenu();
    for (std::size_t i = 0; i < fix.values.size(); ++i) {
        const std::wstring item = wideOf(fix.key) + L"=" + wideOf(fix.values[i]) + L"  (" +
                                  colourName(_wtoi(wideOf(fix.values[i]).c_str())) + L")";
        AppendMenuW(choices, MF_STRING, i + 1, item.c_str());
    }
    RECT button;
    GetWindowRect(GetDlgItem(editor.window, kApplyFix), &button);
    const int chosen =
        static_cast<int>(TrackPopupMenu(choices, TPM_RETURNCMD | TPM_NONOTIFY, button.left,
                                        button.bottom, 0, editor.window, nullptr));
    DestroyMenu(choices);
    if (chosen <= 0) return;
    if (edit(u16(wideOf(fix.section)), u16(wideOf(fix.key)),
             u16(wideOf(fix.values[static_cast<std::size_t>(chosen - 1)])), 0)) {
        documentChanged(true);
        say(L"Fix applied; Undo (Ctrl+Z) takes it back.");
    }
}

// ---- Files -------------------------------------------------------------------------------

// Whether the author lets the unsaved changes go (or saved them first).
bool changesMayGo() {
    if (!dirty()) return true;
    const int answer =
        ask(L"Save the changes to " + editor.path + L"?", MB_YESNOCANCEL | MB_ICONQUESTION);
    if (answer == IDCANCEL) return false;
    if (answer == IDNO) return true;
    SendMessageW(editor.window, WM_COMMAND, IDM_SAVE, 0);
    return !dirty();
}

void takeDocument(const std::wstring& path, ProfileDocument document, const std::string& saved,
                  const FileStamp& stamp) {
    editor.path = path;
    editor.document = std::move(document);
    editor.savedBytes = saved;
    editor.stamp = stamp;
    editor.keptOverDisk = false;
    editor.history.clear();
    editor.entry = 0;
    choosePicture();
    fillLanguageBox();
    documentChanged(true);
    DragAcceptFiles(editor.window, TRUE);
}

bool openFile(std::wstring path) {
    DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        if (!path.empty() && path.back() != L'\\' && path.back() != L'/') path += L'\\';
        path += L"autorun.inf";
        if (GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES) {
            ask(L"There is no autorun.inf in " + folderOf(path) +
                    L".\n\nFile > New medium makes one from the sample.",
                MB_OK | MB_ICONINFORMATION);
            return false;
        }
    }
    const std::wstring full = fullPathOf(path);
    OpenResult opened = openMenuFile(full);
    switch (opened.status) {
        case OpenStatus::Opened:
            takeDocument(full, std::move(opened.document), opened.document.toBytes(), opened.stamp);
            // The saved bytes are the file's own: toBytes() of an unchanged document.
            editor.savedBytes = editor.document.toBytes();
            updateTitle();
            return true;
        case OpenStatus::Utf8:
            if (ask(opened.message + L"\n\nConvert it to UTF-16 now? It is written when you save.",
                    MB_YESNO | MB_ICONQUESTION) != IDYES) {
                return false;
            }
            takeDocument(full, std::move(opened.document), std::string(), opened.stamp);
            return true;
        case OpenStatus::Refused:
        case OpenStatus::CannotRead:
            ask(opened.message, MB_OK | MB_ICONERROR);
            return false;
    }
    return false;
}

void openChosen() {
    if (!changesMayGo()) return;
    wchar_t name[MAX_PATH] = L"autorun.inf";
    OPENFILENAMEW dialog = {};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = editor.window;
    dialog.lpstrFilter = L"Menu files (autorun.inf)\0autorun.inf\0Profile files (*.inf)\0*.inf\0";
    dialog.lpstrFile = name;
    dialog.nMaxFile = MAX_PATH;
    dialog.lpstrTitle = L"Open the menu file of a medium";
    dialog.Flags = OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY;
    if (GetOpenFileNameW(&dialog)) openFile(name);
}

// Saves to the open file. True when it was written and read back.
bool save(bool overwrite) {
    if (editor.path.empty()) return false;
    const SaveResult result =
        saveMenuFile(editor.path, editor.document, overwrite ? nullptr : &editor.stamp,
                     valuesOf(editor.document));
    switch (result.status) {
        case SaveStatus::Saved:
            editor.savedBytes = editor.document.toBytes();
            editor.stamp = result.stamp;
            editor.keptOverDisk = false;
            editor.history.endStep();
            updateTitle();
            say(L"Saved and read back: " + editor.path);
            return true;
        case SaveStatus::ChangedOnDisk: {
            const int answer = ask(
                editor.path +
                    L"\n\nAnother program changed this file since it was opened.\n\n"
                    L"Yes: overwrite it with your version.\nNo: reload it from disk (your changes "
                    L"are lost).\nCancel: keep editing and decide later.",
                MB_YESNOCANCEL | MB_ICONWARNING | MB_DEFBUTTON3);
            if (answer == IDYES) return save(true);
            if (answer == IDNO) {
                editor.savedBytes = editor.document.toBytes();
                openFile(editor.path);
            }
            return false;
        }
        case SaveStatus::ReadBackFailed:
        case SaveStatus::CannotWrite:
            ask(result.message + L"\n\nThe file on disk is as it was; your changes are still here.",
                MB_OK | MB_ICONERROR);
            return false;
    }
    return false;
}

void reload() {
    if (editor.path.empty()) return;
    if (dirty() && ask(L"Reload " + editor.path + L" from disk? Your unsaved changes are lost.",
                       MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) != IDYES) {
        return;
    }
    editor.savedBytes = editor.document.toBytes();
    openFile(editor.path);
}

// Another program changed the file: asked once each time it happens.
void checkDisk() {
    if (editor.path.empty() || editor.asking || editor.keptOverDisk ||
        !changedOnDisk(editor.path, editor.stamp)) {
        return;
    }
    editor.asking = true;
    const int answer =
        ask(editor.path + L"\n\nAnother program changed this file.\n\nReload it? " +
                (dirty() ? L"Your unsaved changes are lost." : L"") +
                L"\nNo keeps your version; saving it then asks before it overwrites the file.",
            MB_YESNO | MB_ICONWARNING);
    if (answer == IDYES) {
        editor.savedBytes = editor.document.toBytes();
        openFile(editor.path);
    } else {
        editor.keptOverDisk = true;
    }
    editor.asking = false;
}

std::wstring chooseFolder(const wchar_t* title) {
    BROWSEINFOW browse = {};
    browse.hwndOwner = editor.window;
    browse.lpszTitle = title;
    browse.ulFlags = BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE;
    PIDLIST_ABSOLUTE chosen = SHBrowseForFolderW(&browse);
    if (chosen == nullptr) return {};
    wchar_t path[MAX_PATH] = {};
    const BOOL got = SHGetPathFromIDListW(chosen, path);
    CoTaskMemFree(chosen);
    return got ? path : L"";
}

// New: the sample's autorun.inf and the menu program in a folder the author picks.
void newMedium() {
    if (!changesMayGo()) return;
    std::wstring folder = chooseFolder(L"Choose the folder of the new medium");
    if (folder.empty()) return;
    if (folder.back() != L'\\') folder += L'\\';
    const std::wstring path = folder + L"autorun.inf";
    if (GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES) {
        if (ask(folder + L" already has an autorun.inf. Open it instead?",
                MB_YESNO | MB_ICONQUESTION) == IDYES) {
            openFile(path);
        }
        return;
    }
    std::wstring problem;
    if (!writeNewMedium(editor.instance, folder, problem)) {
        ask(problem, MB_OK | MB_ICONERROR);
        return;
    }
    openFile(path);
}

void browseCommand() {
    if (editor.path.empty()) return;
    const std::wstring root = folderOf(editor.path);
    wchar_t name[MAX_PATH] = L"";
    OPENFILENAMEW dialog = {};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = editor.window;
    dialog.lpstrFilter =
        L"Programs and documents\0*.exe;*.htm;*.html;*.pdf;*.txt;*.bat;*.cmd\0All "
        L"files\0*.*\0";
    dialog.lpstrFile = name;
    dialog.nMaxFile = MAX_PATH;
    dialog.lpstrInitialDir = root.c_str();
    dialog.lpstrTitle = L"The file the entry starts";
    dialog.Flags = OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
    if (!GetOpenFileNameW(&dialog)) return;
    std::optional<std::wstring> relative;
    if (const std::optional<std::u16string> inside = relativeToRoot(u16(name), u16(root)))
        relative = wide(*inside);
    if (!relative) {
        ask(std::wstring(name) + L"\n\nThis file lies outside the medium (" + root +
                L"). The menu starts it by this full path, which other PCs do not have: copy "
                L"it onto the medium and choose it there.",
            MB_OK | MB_ICONWARNING);
    }
    SetFocus(GetDlgItem(editor.window, kCommand));
    setControlText(editor.window, kCommand, relative ? *relative : std::wstring(name));
}

void offerMenu() {
    if (editor.path.empty()) return;
    std::wstring program = menuProgram();
    program = program.empty() ? std::wstring(L"autorun-menu.exe")
                              : program.substr(folderOf(program).size());
    ProfileDocument before = editor.document;
    if (editor.document.setValue(u"autorun", u"open", u16(program)) != EditStatus::Done ||
        editor.document.setValue(u"autorun", u"icon", u16(program) + u",0") != EditStatus::Done) {
        editor.document = before;
        say(L"The program's name cannot be written into this file.");
        return;
    }
    if (editor.document.toBytes() == before.toBytes()) return;
    editor.history.record(before, 0);
    documentChanged(true);
}

void runMenu() {
    if (editor.path.empty()) return;
    if (dirty()) {
        const int answer = ask(L"The menu reads the file on disk. Save your changes first?",
                               MB_YESNOCANCEL | MB_ICONQUESTION);
        if (answer == IDCANCEL || (answer == IDYES && !save(false))) return;
    }
    const std::wstring program = menuProgram();
    if (program.empty()) {
        ask(L"There is no menu program beside " + editor.path +
                L". Copy autorun-menu.exe of the release there.",
            MB_OK | MB_ICONERROR);
        return;
    }
    std::wstring error;
    MenuRun run;
    if (!startMenuRun(editor.path, program, editor.window, kRunEndedMessage, run, error)) {
        ask(error, MB_OK | MB_ICONERROR);
        return;
    }
    editor.running = true;
    say(L"The menu runs as " + run.program + L"; close it to come back.");
}

void brand() {
    const std::wstring program = menuProgram();
    if (program.empty()) {
        ask(L"There is no menu program beside the file to brand.", MB_OK | MB_ICONERROR);
        return;
    }
    showBrandPanel(editor.window, program, [](const Picture* picture) {
        if (picture != nullptr) {
            editor.preview->usePicture(*picture);
        } else {
            choosePicture();
        }
        showPreview();
    });
    choosePicture();
    showPreview();
    requestFindings();
}

void undoOrRedo(bool undo) {
    std::optional<ProfileDocument> other =
        undo ? editor.history.undo(editor.document) : editor.history.redo(editor.document);
    if (!other) return;
    editor.document = std::move(*other);
    fillLanguageBox();
    documentChanged(true);
}

// ---- The window ----------------------------------------------------------------------------

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

void fillFontBoxes() {
    HDC dc = GetDC(editor.window);
    LOGFONTW wanted = {};
    wanted.lfCharSet = DEFAULT_CHARSET;
    FaceBoxes boxes = {GetDlgItem(editor.window, kFontName),
                       GetDlgItem(editor.window, kCommentFontName)};
    EnumFontFamiliesExW(dc, &wanted, addFace, reinterpret_cast<LPARAM>(&boxes), 0);
    ReleaseDC(editor.window, dc);
}

void fillColourBoxes() {
    for (const int id : {kFontColor, kFontActiveColor, kFontCommentColor, kBkCommentColor}) {
        for (std::int32_t number = 1; number < kColourCount; ++number) {
            const std::wstring item = std::to_wstring(number) + L"  " + colourName(number);
            SendDlgItemMessageW(editor.window, id, CB_ADDSTRING, 0,
                                reinterpret_cast<LPARAM>(item.c_str()));
        }
    }
}

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
    SendMessageW(item.hwndItem, CB_GETLBTEXT, item.itemID, reinterpret_cast<LPARAM>(text));
    RECT words = item.rcItem;
    words.left = swatch.right + 6;
    SetBkMode(item.hDC, TRANSPARENT);
    SetTextColor(item.hDC, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    DrawTextW(item.hDC, text, -1, &words, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    if (item.itemState & ODS_FOCUS) DrawFocusRect(item.hDC, &item.rcItem);
}

void setUpFindingsList() {
    HWND list = GetDlgItem(editor.window, kFindings);
    ListView_SetExtendedListViewStyle(list, LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER);
    HIMAGELIST icons = ImageList_Create(
        GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), ILC_COLOR32 | ILC_MASK, 4, 0);
    // In the order of Severity: info, note, warning, error.
    for (LPCWSTR icon : {IDI_INFORMATION, IDI_INFORMATION, IDI_WARNING, IDI_ERROR})
        ImageList_AddIcon(icons, LoadIconW(nullptr, icon));
    ListView_SetImageList(list, icons, LVSIL_SMALL);
    LVCOLUMNW column = {};
    column.mask = LVCF_TEXT | LVCF_WIDTH;
    column.cx = 150;
    column.pszText = const_cast<wchar_t*>(L"Where");
    ListView_InsertColumn(list, 0, &column);
    column.pszText = const_cast<wchar_t*>(L"Finding");
    column.cx = 600;
    ListView_InsertColumn(list, 1, &column);
}

void setUpTabs() {
    HWND tabs = GetDlgItem(editor.window, kTabs);
    const wchar_t* names[] = {L"Texts", L"Look", L"Windows"};
    for (int i = 0; i < 3; ++i) {
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
    const int percent = MulDiv(100, static_cast<int>(editor.dpi), 96);
    std::wstring note = L"Shown here at one screen pixel per picture pixel.";
    if (percent != 100) {
        note += L" On this monitor (" + std::to_wstring(percent) +
                L" %) Windows scales the menu to " + std::to_wstring(MulDiv(600, percent, 100)) +
                L" \x00D7 " + std::to_wstring(MulDiv(397, percent, 100)) + L" pixels.";
    }
    setControlText(editor.window, kScaleNote, note);
}

bool onCommand(WPARAM wParam, LPARAM lParam) {
    const int id = LOWORD(wParam);
    const int code = HIWORD(wParam);
    (void)lParam;
    switch (id) {
        case IDM_NEW:
            newMedium();
            return true;
        case IDM_OPEN:
            openChosen();
            return true;
        case IDM_SAVE:
            save(false);
            return true;
        case IDM_RELOAD:
            reload();
            return true;
        case IDM_EXIT:
            SendMessageW(editor.window, WM_CLOSE, 0, 0);
            return true;
        case IDM_UNDO:
            undoOrRedo(true);
            return true;
        case IDM_REDO:
            undoOrRedo(false);
            return true;
        case IDM_ADD_LANGUAGE:
        case kAddLanguage:
            if (code == BN_CLICKED) addLanguage();
            return true;
        case IDM_REMOVE_LANGUAGE:
        case kRemoveLanguage:
            if (code == BN_CLICKED) removeLanguage();
            return true;
        case IDM_OFFER_MENU:
        case kOfferMenu:
            if (code == BN_CLICKED) offerMenu();
            return true;
        case IDM_BRAND:
            brand();
            return true;
        case IDM_RUN:
            runMenu();
            return true;
        case IDM_HELP:
            openGuide(editor.window);
            return true;
        case IDM_ABOUT:
            ask(L"autorun-menu-edit: the editor of the autorun-menu start-up menu.\n\nWhat the "
                L"preview shows is drawn by the menu's own code.",
                MB_OK | MB_ICONINFORMATION);
            return true;
        case IDM_NEXT_PANE: {
            // F6: the preview, the fields, the findings in turn.
            HWND focus = GetFocus();
            const int order[] = {kPreview, kTabs, kFindings};
            int next = 0;
            for (int i = 0; i < 3; ++i) {
                if (focus == GetDlgItem(editor.window, order[i])) next = (i + 1) % 3;
            }
            SetFocus(GetDlgItem(editor.window, order[next]));
            return true;
        }
        case kPreview: {
            // A click on an entry of the preview selects its fields.
            editor.entry = code;
            selectPage(Page::Texts);
            ++editor.filling;
            fillEntryBox();
            fillEntryFields();
            --editor.filling;
            SetFocus(GetDlgItem(editor.window, kCaption));
            return true;
        }
        case kLanguageBox:
            if (code == CBN_SELCHANGE) {
                const LRESULT chosen =
                    SendDlgItemMessageW(editor.window, kLanguageBox, CB_GETCURSEL, 0, 0);
                if (chosen >= 0 && static_cast<std::size_t>(chosen) < editor.languages.size())
                    setLanguage(editor.languages[static_cast<std::size_t>(chosen)].index);
            }
            return true;
        case kEntryBox:
            if (code == CBN_SELCHANGE) {
                const LRESULT chosen =
                    SendDlgItemMessageW(editor.window, kEntryBox, CB_GETCURSEL, 0, 0);
                if (chosen >= 0 && chosen < kMenuItemSlots) {
                    editor.entry = static_cast<int>(chosen);
                    ++editor.filling;
                    fillEntryFields();
                    --editor.filling;
                }
            }
            return true;
        case kBrowseCommand:
            if (code == BN_CLICKED) browseCommand();
            return true;
        case kApplyFix:
            if (code == BN_CLICKED) applyFix(true);
            return true;
        default:
            break;
    }
    if (fieldKeyOf(id) == nullptr) return false;
    if (code == EN_CHANGE) fieldChanged(id, true);
    if (code == EN_KILLFOCUS || code == CBN_KILLFOCUS) editor.history.endStep();
    if (code == BN_CLICKED || code == CBN_SELCHANGE) fieldChanged(id, false);
    if (code == CBN_EDITCHANGE) fieldChanged(id, true);
    return true;
}

LRESULT CALLBACK editorProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE:
            editor.window = window;
            editor.dpi = windowDpi(window);
            createForm(window, editor.instance);
            setUpTabs();
            setUpFindingsList();
            fillFontBoxes();
            fillColourBoxes();
            layOut();
            return 0;
        case WM_SIZE:
            if (wParam != SIZE_MINIMIZED) layOut();
            return 0;
        case WM_GETMINMAXINFO: {
            const SIZE size = formSize(editor.dpi);
            reinterpret_cast<MINMAXINFO*>(lParam)->ptMinTrackSize = {size.cx, size.cy * 3 / 4};
            return 0;
        }
        case WM_DPICHANGED: {
            editor.dpi = HIWORD(wParam);
            const RECT* suggested = reinterpret_cast<const RECT*>(lParam);
            SetWindowPos(window, nullptr, suggested->left, suggested->top,
                         suggested->right - suggested->left, suggested->bottom - suggested->top,
                         SWP_NOZORDER | SWP_NOACTIVATE);
            layOut();
            return 0;
        }
        case WM_COMMAND:
            if (onCommand(wParam, lParam)) return 0;
            break;
        case WM_NOTIFY: {
            const NMHDR* header = reinterpret_cast<const NMHDR*>(lParam);
            if (header->idFrom == kTabs && header->code == TCN_SELCHANGE) {
                selectPage(static_cast<Page>(TabCtrl_GetCurSel(header->hwndFrom)));
            } else if (header->idFrom == kFindings && header->code == LVN_ITEMCHANGED) {
                const NMLISTVIEW* change = reinterpret_cast<const NMLISTVIEW*>(lParam);
                if ((change->uNewState & LVIS_SELECTED) && !(change->uOldState & LVIS_SELECTED))
                    findingSelected();
            } else if (header->idFrom == kFindings && header->code == NM_DBLCLK) {
                if (const Finding* finding = selectedFinding(); finding && finding->fix)
                    applyFix(false);
            }
            return 0;
        }
        case WM_MEASUREITEM: {
            MEASUREITEMSTRUCT* item = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
            item->itemHeight = static_cast<UINT>(MulDiv(18, static_cast<int>(editor.dpi), 96));
            return TRUE;
        }
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN: {
            // The labels and boxes on the pages stand on the tab's own background.
            const int id = GetDlgCtrlID(reinterpret_cast<HWND>(lParam));
            if (!onPage(id)) break;
            HDC dc = reinterpret_cast<HDC>(wParam);
            SetBkColor(dc, GetSysColor(COLOR_WINDOW));
            SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
            return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW));
        }
        case WM_DRAWITEM:
            drawSwatch(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
            return TRUE;
        case WM_DROPFILES: {
            HDROP drop = reinterpret_cast<HDROP>(wParam);
            const UINT length = DragQueryFileW(drop, 0, nullptr, 0);
            std::wstring name(length + 1, L'\0');
            DragQueryFileW(drop, 0, &name[0], length + 1);
            name.resize(length);
            DragFinish(drop);
            SetForegroundWindow(window);
            if (changesMayGo()) openFile(name);
            return 0;
        }
        case WM_ACTIVATEAPP:
            if (wParam) PostMessageW(window, WM_APP, 0, 0);
            return 0;
        case WM_APP:
            checkDisk();
            return 0;
        case kFindingsMessage: {
            std::unique_ptr<CheckResult> result(reinterpret_cast<CheckResult*>(lParam));
            if (result != nullptr && editor.findings != nullptr &&
                static_cast<std::uint32_t>(wParam) == editor.findingsAsked) {
                showFindings(*result);
            }
            return 0;
        }
        case kRunEndedMessage:
            editor.running = false;
            say(lParam != 0 ? L"The menu has closed; its drive letter could not be removed and "
                              L"goes when you log off."
                            : L"The menu has closed.");
            return 0;
        case WM_CLOSE:
            if (changesMayGo()) DestroyWindow(window);
            return 0;
        case WM_DESTROY:
            editor.findings.reset();
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
    editor.instance = instance;
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_STANDARD_CLASSES | ICC_LISTVIEW_CLASSES |
                                                          ICC_TAB_CLASSES | ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);

    WNDCLASSEXW type = {};
    type.cbSize = sizeof type;
    type.lpfnWndProc = previewProc;
    type.hInstance = instance;
    type.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    type.lpszClassName = kPreviewClass;
    if (RegisterClassExW(&type) == 0) return nullptr;

    type.lpfnWndProc = editorProc;
    type.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(IDI_MENU));
    type.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    type.lpszMenuName = MAKEINTRESOURCEW(IDR_EDITOR_MENU);
    type.lpszClassName = kClassName;
    if (RegisterClassExW(&type) == 0) return nullptr;

    editor.preview = std::make_unique<MenuPreview>();
    editor.preview->usePictureOfModule(instance);
    editor.languages = previewLanguages();
    editor.language = systemPreviewLanguage();
    editor.accelerators = LoadAcceleratorsW(instance, MAKEINTRESOURCEW(IDR_EDITOR_ACCELERATORS));

    const UINT dpi = windowDpi(nullptr);
    const SIZE size = formSize(dpi);
    HWND window = CreateWindowExW(WS_EX_CONTROLPARENT | WS_EX_ACCEPTFILES, kClassName, kProgramName,
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
    fillLanguageBox();
    showPreview();
    fillFields();
    ShowWindow(window, show);
    UpdateWindow(window);
    if (!open.empty()) openFile(open);
    return window;
}

bool editorTakesMessage(HWND window, MSG& message) {
    if (editor.accelerators != nullptr &&
        TranslateAcceleratorW(window, editor.accelerators, &message) != 0) {
        return true;
    }
    return IsDialogMessageW(window, &message) != FALSE;
}

bool openInEditor(const std::wstring& path) { return changesMayGo() && openFile(path); }
