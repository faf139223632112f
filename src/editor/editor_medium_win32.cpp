#include "editor/editor_medium.h"

#include <commctrl.h>

#include "editor/editor_files.h"
#include "editor/editor_ids.h"
#include "editor/editor_text.h"
#include "editor/publish_dialog.h"
#include "editor/run/menu_run.h"

namespace {

std::wstring wide(const std::u16string& text) { return std::wstring(text.begin(), text.end()); }
std::wstring path(const MenuSession& session) { return wide(session.path()); }
std::wstring folder(const MenuSession& session) { return wide(session.folder()); }

int ask(HWND window, const std::wstring& text, UINT flags) {
    return MessageBoxW(window, text.c_str(), kEditorName, flags);
}

void say(HWND window, const std::wstring& text) {
    SendDlgItemMessageW(window, IDC_STATUS, SB_SETTEXTW, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

}  // namespace

void runMenu(HWND window, MenuSession& session, UINT runEndedMessage) {
    if (!session.hasFile()) return;
    if (session.dirty()) {
        const int answer = ask(window, L"The menu reads the file on disk. Save your changes first?",
                               MB_YESNOCANCEL | MB_ICONQUESTION);
        if (answer == IDCANCEL || (answer == IDYES && !save(window, session, false))) return;
    }
    lookUpMenuProgram(session);
    const std::wstring program = wide(session.menuProgram());
    if (program.empty()) {
        ask(window,
            L"There is no menu program beside " + path(session) +
                L". Copy autorun-menu.exe of the release there.",
            MB_OK | MB_ICONERROR);
        return;
    }
    std::wstring error;
    MenuRun run;
    if (!startMenuRun(path(session), program, window, runEndedMessage, run, error)) {
        ask(window, error, MB_OK | MB_ICONERROR);
        return;
    }
    std::wstring words = L"The menu runs as " + run.program + L"; close it to come back.";
    if (run.drive != 0)
        words += L" Drive " + std::wstring(1, run.drive) +
                 L": stays until the next Run or until the editor closes; programs that ask for "
                 L"administrator rights cannot see it.";
    say(window, words);
}

void publish(HWND window, MenuSession& session) {
    if (!session.hasFile()) return;
    if (session.dirty()) {
        if (ask(window, L"Publishing takes the medium as it is on disk. Save your changes first?",
                MB_OKCANCEL | MB_ICONQUESTION) != IDOK ||
            !save(window, session, false))
            return;
    }
    const std::vector<Finding>& findings = session.findings();
    publishMedium(window, folder(session),
                  {countOf(findings, Severity::Error), countOf(findings, Severity::Warning)});
}
