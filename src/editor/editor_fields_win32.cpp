#include "editor/editor_fields.h"

#include <commctrl.h>

#include "editor/editor_form.h"
#include "editor/editor_ids.h"
#include "state/launcher_state.h"

namespace {

constexpr int kPageIds[kPageCount] = {IDC_TEXTS_PAGE, IDC_LOOK_PAGE, IDC_WINDOWS_PAGE};

std::u16string u16(const std::wstring& text) { return std::u16string(text.begin(), text.end()); }
std::wstring wide(const std::u16string& text) { return std::wstring(text.begin(), text.end()); }

}  // namespace

// What a field's control shows now, as the session takes it.
std::u16string fieldValue(HWND window, const Field& field) {
    HWND box = formControl(window, field.id);
    switch (field.kind) {
        case FieldKind::Check:
            return SendMessageW(box, BM_GETCHECK, 0, 0) == BST_CHECKED ? u"1" : u"0";
        case FieldKind::Colour: {
            const LRESULT chosen = SendMessageW(box, CB_GETCURSEL, 0, 0);
            return chosen == CB_ERR ? u"" : u16(std::to_wstring(chosen + 1));
        }
        case FieldKind::Face: {
            // While the author picks from the list, the edit part still shows the old face.
            const LRESULT chosen = SendMessageW(box, CB_GETCURSEL, 0, 0);
            const LRESULT length =
                chosen == CB_ERR ? CB_ERR : SendMessageW(box, CB_GETLBTEXTLEN, chosen, 0);
            if (length >= 0) {
                std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
                SendMessageW(box, CB_GETLBTEXT, chosen, reinterpret_cast<LPARAM>(&text[0]));
                text.resize(static_cast<std::size_t>(length));
                return u16(text);
            }
            break;
        }
        case FieldKind::Text:
        case FieldKind::Lines:
        case FieldKind::Number:
            break;
    }
    return u16(controlText(box));
}

// Shows `value` (as the session shows it) in a field's control, which tells nothing back
// that would change the document: a text set to what the document holds edits nothing.
void showValue(HWND window, const Field& field, const std::u16string& value) {
    HWND box = formControl(window, field.id);
    switch (field.kind) {
        case FieldKind::Check:
            SendMessageW(box, BM_SETCHECK, value == u"1" ? BST_CHECKED : BST_UNCHECKED, 0);
            return;
        case FieldKind::Colour: {
            const int number = _wtoi(wide(value).c_str());
            SendMessageW(box, CB_SETCURSEL, number > 0 ? number - 1 : 0, 0);
            return;
        }
        case FieldKind::Face:
            if (u16(controlText(box)) != value) {
                SendMessageW(box, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
                setControlText(box, wide(value));
            }
            return;
        case FieldKind::Text:
        case FieldKind::Lines:
        case FieldKind::Number:
            setControlText(box, wide(value));
            return;
    }
}

namespace {

std::wstring entryItem(const MenuSession& session, int slot) {
    const EntryFields fields = session.entryFields(slot);
    return std::to_wstring(slot + 1) + L": " +
           (fields.caption.empty() ? std::wstring(L"(not shown)") : wide(fields.caption));
}

}  // namespace

void fillEntryBox(HWND window, const MenuSession& session) {
    HWND box = formControl(window, IDC_ENTRY_BOX);
    SendMessageW(box, CB_RESETCONTENT, 0, 0);
    for (int slot = 0; slot < kMenuItemSlots; ++slot) {
        SendMessageW(box, CB_ADDSTRING, 0,
                     reinterpret_cast<LPARAM>(entryItem(session, slot).c_str()));
    }
    SendMessageW(box, CB_SETCURSEL, session.entry(), 0);
}

// The entry being typed in has a new caption: its item alone.
void renameEntryItem(HWND window, const MenuSession& session) {
    HWND box = formControl(window, IDC_ENTRY_BOX);
    const int slot = session.entry();
    SendMessageW(box, CB_DELETESTRING, slot, 0);
    SendMessageW(box, CB_INSERTSTRING, slot,
                 reinterpret_cast<LPARAM>(entryItem(session, slot).c_str()));
    SendMessageW(box, CB_SETCURSEL, slot, 0);
}

static void fillSectionNote(HWND window, const MenuSession& session) {
    const std::wstring language = std::to_wstring(session.language());
    std::wstring note =
        L"These systems show section [" + std::to_wstring(session.section()) + L"].";
    if (session.section() != session.language())
        note = L"Section [" + language +
               L"] has no title, so these systems show [0]. Add this language to give them "
               L"texts of their own.";
    setControlText(formControl(window, IDC_SECTION_NOTE), note);
}

// Every field from the session, but the one the author is typing in.
void fillFields(HWND window, const MenuSession& session, const Field* typed) {
    fillSectionNote(window, session);
    fillEntryBox(window, session);
    for (const Field* field = fieldsBegin(); field != fieldsEnd(); ++field) {
        if (field != typed) showValue(window, *field, session.shown(*field));
    }
}

// Fields take typing only while a file is open, which is where it can be saved.
void enableFields(HWND window, const MenuSession& session) {
    const BOOL open = session.hasFile() ? TRUE : FALSE;
    for (const int id : kPageIds) {
        for (HWND child = GetWindow(GetDlgItem(window, id), GW_CHILD); child != nullptr;
             child = GetWindow(child, GW_HWNDNEXT)) {
            if (GetDlgCtrlID(child) != IDC_NUMBERS) EnableWindow(child, open);
        }
    }
    EnableWindow(GetDlgItem(window, IDC_ADD_LANGUAGE), open);
    EnableWindow(GetDlgItem(window, IDC_REMOVE_LANGUAGE),
                 session.canRemoveLanguage() ? TRUE : FALSE);
}

void fillLanguageBox(HWND window, const MenuSession& session,
                     const std::vector<PreviewLanguage>& languages) {
    HWND box = GetDlgItem(window, IDC_LANGUAGE_BOX);
    SendMessageW(box, CB_RESETCONTENT, 0, 0);
    int selected = 0;
    for (std::size_t i = 0; i < languages.size(); ++i) {
        const PreviewLanguage& language = languages[i];
        std::wstring item = language.name + L" [" + std::to_wstring(language.index) + L"]";
        if (session.inFile(language.index)) item += L", in the file";
        SendMessageW(box, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
        if (language.index == session.language()) selected = static_cast<int>(i);
    }
    SendMessageW(box, CB_SETCURSEL, selected, 0);
}
