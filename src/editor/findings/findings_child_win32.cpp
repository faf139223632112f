#include "editor/findings/findings_child.h"

#include <windows.h>

#include "checker/medium_check.h"
#include "checker/report.h"
#include "console/console_text.h"
#include "editor/findings/ansi_path.h"
#include "editor/findings/findings_result.h"
#include "editor/findings/findings_wire.h"

namespace {

bool writeAll(HANDLE out, const std::string& bytes) {
    if (out == nullptr || out == INVALID_HANDLE_VALUE) return false;
    std::size_t done = 0;
    while (done < bytes.size()) {
        const std::size_t left = bytes.size() - done;
        const DWORD chunk = left > 0x100000 ? 0x100000 : static_cast<DWORD>(left);
        DWORD written = 0;
        if (WriteFile(out, bytes.data() + done, chunk, &written, nullptr) == 0 || written == 0)
            return false;
        done += written;
    }
    return true;
}

// Started ahead of need, with a pipe for its standard input, the check waits there until the
// editor has written the text and says go (one byte); false when the editor gave up instead.
bool waitForGo() {
    HANDLE in = GetStdHandle(STD_INPUT_HANDLE);
    if (in == nullptr || in == INVALID_HANDLE_VALUE || GetFileType(in) != FILE_TYPE_PIPE)
        return true;
    char go = 0;
    DWORD got = 0;
    return ReadFile(in, &go, 1, &got, nullptr) != 0 && got == 1;
}

}  // namespace

int runFindingsChild(const std::wstring& menuFile, const std::wstring& root,
                     const std::wstring& program) {
    // No "insert a disc" box from a check nobody sees: a missing medium is a finding.
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    if (!waitForGo()) return 0;

    CheckResult result;
    const std::wstring paths[] = {menuFile, root, program};
    std::string ansi[3];
    std::wstring unwritable;
    for (int i = 0; i < 3; ++i) {
        const std::wstring safe = ansiSafePath(paths[i]);
        if (safe.empty() && !paths[i].empty()) unwritable = paths[i];
        ansi[i] = ansiText(safe);
    }
    if (!unwritable.empty()) {
        result = failedCheck(ansiText(menuFile),
                             "the checker reads paths in this system's code page, which "
                             "cannot write " +
                                 utf8FromWideText(unwritable),
                             kUtf8CodePage);
    } else {
        CheckOptions options;
        options.medium = ansi[0];
        options.root = ansi[1];
        options.folder = ansi[1];
        options.menu = ansi[2];
        result = checkMedium(options);
    }
    return writeAll(GetStdHandle(STD_OUTPUT_HANDLE), encodeCheckResult(result)) ? 0 : 1;
}
