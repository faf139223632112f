#include "editor/editor_files.h"

#include <commctrl.h>
#include <shellapi.h>

#include "editor/editor_dialogs.h"
#include "editor/editor_ids.h"
#include "editor/editor_text.h"
#include "editor/file/menu_file_io.h"
#include "editor/findings/ansi_path.h"

namespace {

std::u16string u16(const std::wstring& text) { return std::u16string(text.begin(), text.end()); }

std::wstring path(const MenuSession& session) {
    return std::wstring(session.path().begin(), session.path().end());
}

std::wstring folder(const MenuSession& session) {
    const std::u16string where = session.folder();
    return std::wstring(where.begin(), where.end());
}

int ask(HWND window, const std::wstring& text, UINT flags) {
    return MessageBoxW(window, text.c_str(), kEditorName, flags);
}

void say(HWND window, const std::wstring& text) {
    SendDlgItemMessageW(window, IDC_STATUS, SB_SETTEXTW, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

}  // namespace

// The menu program beside the file, looked up once for each file and folder.
void lookUpMenuProgram(MenuSession& session) {
    session.setMenuProgram(u16(menuProgramIn(folder(session))));
}

// Whether the author lets the unsaved changes go (or saved them first).
bool changesMayGo(HWND window, MenuSession& session) {
    if (!session.dirty()) return true;
    const int answer = ask(window, L"Save the changes to " + path(session) + L"?",
                           MB_YESNOCANCEL | MB_ICONQUESTION);
    if (answer == IDCANCEL) return false;
    if (answer == IDNO) return true;
    return save(window, session, false);
}

bool openFile(HWND window, MenuSession& session, std::wstring name) {
    const DWORD attributes = GetFileAttributesW(name.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        if (!name.empty() && name.back() != L'\\' && name.back() != L'/') name += L'\\';
        name += L"autorun.inf";
        if (GetFileAttributesW(name.c_str()) == INVALID_FILE_ATTRIBUTES) {
            ask(window,
                L"There is no autorun.inf in " + folderOf(name) +
                    L".\n\nFile > New medium makes one.",
                MB_OK | MB_ICONINFORMATION);
            return false;
        }
    }
    const std::wstring full = fullPathOf(name);
    OpenResult opened = openMenuFile(full);
    switch (opened.status) {
        case OpenStatus::Opened:
            session.take(u16(full), std::move(opened.document), std::move(opened.stamp.bytes),
                         false);
            break;
        case OpenStatus::Utf8:
            if (ask(window,
                    opened.message + L"\n\nConvert it to UTF-16 now? It is written when you save.",
                    MB_YESNO | MB_ICONQUESTION) != IDYES) {
                return false;
            }
            session.take(u16(full), std::move(opened.document), std::move(opened.stamp.bytes),
                         true);
            break;
        case OpenStatus::Refused:
        case OpenStatus::CannotRead:
            ask(window, opened.message, MB_OK | MB_ICONERROR);
            return false;
    }
    lookUpMenuProgram(session);
    DragAcceptFiles(window, TRUE);
    return true;
}

void openChosen(HWND window, MenuSession& session) {
    if (!changesMayGo(window, session)) return;
    const std::wstring chosen = chooseMenuFile(window);
    if (!chosen.empty()) openFile(window, session, chosen);
}

// Saves to the open file. True when it was written and read back.
bool save(HWND window, MenuSession& session, bool overwrite) {
    if (!session.hasFile()) return false;
    const FileStamp stamp = {session.disk()};
    const SaveResult result =
        saveMenuFile(path(session), session.document(), overwrite ? nullptr : &stamp,
                     valuesOf(session.document()));
    switch (result.status) {
        case SaveStatus::Saved:
            session.saved(result.stamp.bytes);
            say(window, L"Saved and read back: " + path(session));
            return true;
        case SaveStatus::ChangedOnDisk: {
            const int answer = ask(
                window,
                path(session) +
                    L"\n\nAnother program changed this file since it was opened.\n\n"
                    L"Yes: overwrite it with your version.\nNo: reload it from disk (your changes "
                    L"are lost).\nCancel: keep editing and decide later.",
                MB_YESNOCANCEL | MB_ICONWARNING | MB_DEFBUTTON3);
            if (answer == IDYES) return save(window, session, true);
            if (answer == IDNO) openFile(window, session, path(session));
            return false;
        }
        case SaveStatus::ReadBackFailed:
        case SaveStatus::CannotWrite:
            ask(window,
                result.message +
                    L"\n\nThe file on disk is as it was; your changes are still here. File > Save "
                    L"As writes them elsewhere.",
                MB_OK | MB_ICONERROR);
            return false;
    }
    return false;
}

// Save As: the document written to another file, which it then is.
bool saveAs(HWND window, MenuSession& session) {
    if (!session.hasFile()) return false;
    const std::wstring chosen = chooseFileToSave(window, folder(session));
    if (chosen.empty()) return false;
    const SaveResult result =
        saveMenuFile(chosen, session.document(), nullptr, valuesOf(session.document()));
    if (result.status != SaveStatus::Saved) {
        ask(window, result.message + L"\n\nNothing was written; your changes are still here.",
            MB_OK | MB_ICONERROR);
        return false;
    }
    session.savedAs(u16(chosen), result.stamp.bytes);
    lookUpMenuProgram(session);
    say(window, L"Saved and read back: " + chosen);
    return true;
}

void reload(HWND window, MenuSession& session) {
    if (!session.hasFile()) return;
    if (session.dirty() &&
        ask(window, L"Reload " + path(session) + L" from disk? Your unsaved changes are lost.",
            MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) != IDYES) {
        return;
    }
    openFile(window, session, path(session));
}

// Another program changed the file: asked once each time it happens.
void checkDisk(HWND window, MenuSession& session, bool& asking) {
    if (!session.hasFile() || asking || session.keptOverDisk()) return;
    const FileStamp stamp = {session.disk()};
    if (!changedOnDisk(path(session), stamp)) return;
    asking = true;
    const int answer =
        ask(window,
            path(session) + L"\n\nAnother program changed this file.\n\nReload it? " +
                (session.dirty() ? L"Your unsaved changes are lost." : L"") +
                L"\nNo keeps your version; saving it then asks before it overwrites the file.",
            MB_YESNO | MB_ICONWARNING);
    if (answer == IDYES) {
        openFile(window, session, path(session));
    } else {
        session.keepOverDisk();
    }
    asking = false;
}

// New: a menu file of [0] alone and the menu program in a folder the author picks.
void newMedium(HWND window, HINSTANCE instance, MenuSession& session) {
    if (!changesMayGo(window, session)) return;
    std::wstring chosen = chooseFolder(window, L"Choose the folder of the new medium");
    if (chosen.empty()) return;
    if (chosen.back() != L'\\') chosen += L'\\';
    const std::wstring menuFile = chosen + L"autorun.inf";
    if (GetFileAttributesW(menuFile.c_str()) != INVALID_FILE_ATTRIBUTES) {
        if (ask(window, chosen + L" already has an autorun.inf. Open it instead?",
                MB_YESNO | MB_ICONQUESTION) == IDYES) {
            openFile(window, session, menuFile);
        }
        return;
    }
    std::wstring problem;
    if (!writeNewMedium(instance, chosen, problem)) {
        ask(window, problem, MB_OK | MB_ICONERROR);
        return;
    }
    openFile(window, session, menuFile);
}
