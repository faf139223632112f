#include "editor/findings/ansi_path.h"

#include <windows.h>

#include "checker/menu_program.h"
#include "console/console_text.h"

namespace {

bool fitsAnsi(const std::wstring& path) {
    bool lossy = false;
    inCodePage(path, CP_ACP, &lossy);
    return !lossy;
}

// The short form of `path`; empty when the system has none.
std::wstring shortPath(const std::wstring& path) {
    std::wstring buffer(MAX_PATH, L'\0');
    for (int tries = 0; tries < 3; ++tries) {
        const DWORD length =
            GetShortPathNameW(path.c_str(), &buffer[0], static_cast<DWORD>(buffer.size()));
        if (length == 0) return {};
        // A buffer too small gives the size needed, its terminating NUL included.
        if (length < buffer.size()) return buffer.substr(0, length);
        buffer.assign(length, L'\0');
    }
    return {};
}

}  // namespace

std::wstring ansiSafePath(const std::wstring& path) {
    if (fitsAnsi(path)) return path;
    const std::wstring shortened = shortPath(path);
    return !shortened.empty() && fitsAnsi(shortened) ? shortened : std::wstring();
}

std::string ansiText(const std::wstring& path) { return inCodePage(path, CP_ACP, nullptr); }

std::wstring menuProgramIn(const std::wstring& folder) {
    const std::wstring safe = ansiSafePath(folder);
    if (safe.empty()) return {};
    const std::string program = findMenuProgram(ansiText(safe));
    return program.empty() ? std::wstring() : wideFromCodePage(program, CP_ACP);
}
