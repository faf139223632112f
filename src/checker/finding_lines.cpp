#include "checker/finding_lines.h"

#include <windows.h>

#include "console/console_text.h"

static_assert(kAnsiCodePage == CP_ACP && kUtf8CodePage == CP_UTF8,
              "the findings' code pages are the platform's");

namespace {

std::string counted(int count, const char* one, const char* many) {
    return std::to_string(count) + (count == 1 ? one : many);
}

}  // namespace

std::wstring findingLine(const Finding& finding) {
    const Place& place = finding.place;
    const std::wstring severity = wideFromCodePage(severityName(finding.severity), CP_ACP);
    if (!place.inMenuFile()) {
        return wideFromCodePage(place.path, CP_ACP) + L": " + severity + L": " +
               wideFromCodePage(finding.text, finding.codePage);
    }
    return wideFromCodePage(place.path, CP_ACP) +
           (place.line > 0 ? L":" + std::to_wstring(place.line) : std::wstring()) + L": " +
           severity + L": " +
           wideFromCodePage(placeText(place) + ": " + finding.text, finding.codePage);
}

void printCheckResult(const CheckResult& result) {
    for (const Finding& finding : result.findings)
        writeConsoleLine(ConsoleStream::output, findingLine(finding));
    if (!result.complete) return;
    const std::string total =
        counted(countOf(result.findings, Severity::Error), " error", " errors") + ", " +
        counted(countOf(result.findings, Severity::Warning), " warning", " warnings");
    writeConsoleLine(ConsoleStream::output,
                     findingLine({Severity::Info, Place(result.menuFile), total, kAnsiCodePage}));
}
