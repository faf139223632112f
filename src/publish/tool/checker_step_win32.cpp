#include "publish/tool/checker_step.h"

#include <windows.h>

#include "checker/finding_lines.h"
#include "checker/medium_check.h"
#include "console/console_text.h"

namespace {

// `wide` in the system's ANSI code page, the checker's paths; false when a character
// has no place there.
bool ansiPath(const std::wstring& wide, std::string& ansi) {
    // Where the ANSI code page is UTF-8, Windows takes neither flags nor a default character
    // for it; every path converts.
    const bool utf8 = GetACP() == CP_UTF8;
    const DWORD flags = utf8 ? 0 : WC_NO_BEST_FIT_CHARS;
    BOOL lossy = FALSE;
    BOOL* lossyOut = utf8 ? nullptr : &lossy;
    const int size =
        WideCharToMultiByte(CP_ACP, flags, wide.c_str(), -1, nullptr, 0, nullptr, lossyOut);
    if (size <= 0 || lossy) return false;
    std::string bytes(static_cast<std::size_t>(size), '\0');
    if (WideCharToMultiByte(CP_ACP, flags, wide.c_str(), -1, &bytes[0], size, nullptr, lossyOut) !=
            size ||
        lossy) {
        return false;
    }
    bytes.resize(static_cast<std::size_t>(size) - 1);
    ansi = bytes;
    return true;
}

std::string counted(int count, const char* one, const char* many) {
    return std::to_string(count) + " " + (count == 1 ? one : many);
}

}  // namespace

CheckVerdict checkAndPrint(const std::wstring& medium) {
    CheckVerdict verdict;
    std::string ansi;
    if (!ansiPath(medium, ansi)) {
        // The short form of the path is ASCII where the drive keeps short names.
        wchar_t shortPath[MAX_PATH] = {};
        const DWORD length = GetShortPathNameW(medium.c_str(), shortPath, MAX_PATH);
        if (length == 0 || length >= MAX_PATH || !ansiPath(shortPath, ansi)) {
            verdict.why =
                "the checker reads paths in the system's code page, which lacks characters of "
                "this folder's path";
            return verdict;
        }
    }
    CheckOptions options;
    options.medium = ansi;
    const CheckResult result = checkMedium(options);
    // The checker's own lines for what needs the author's eye; its infos stay with the
    // checker itself.
    for (const Finding& finding : result.findings) {
        if (finding.severity == Severity::Warning || finding.severity == Severity::Error) {
            writeConsoleLine(ConsoleStream::output, findingLine(finding));
        }
    }
    verdict.ran = true;
    verdict.errors = countOf(result.findings, Severity::Error);
    verdict.warnings = countOf(result.findings, Severity::Warning);
    return verdict;
}

std::string verdictText(const CheckVerdict& verdict) {
    if (!verdict.ran) return "the checker did not run: " + verdict.why;
    if (verdict.errors == 0 && verdict.warnings == 0) return "the checker found nothing wrong";
    return "the checker found " + counted(verdict.errors, "error", "errors") + " and " +
           counted(verdict.warnings, "warning", "warnings");
}
