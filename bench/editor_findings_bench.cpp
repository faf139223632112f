// The editor's live findings: a 24-language menu file (a section for each section the menu's
// language table leads to, saved as UTF-16) "typed" in bursts of keystrokes, each keystroke
// a request to the findings worker. Prints the time from the last request of a burst to the
// posted result, and the longest time one request() took on the calling thread.
#include <cstdlib>
#include <memory>
#include <set>

#include "bench_common.h"
#include "checker/medium_check.h"
#include "config/language.h"
#include "editor/findings/findings_worker.h"

namespace {

constexpr UINT kResultMessage = WM_APP + 1;

// The menu file as UTF-16 bytes with the mark, as an author saves one for many languages.
std::string utf16File(const std::wstring& text) {
    std::string bytes = "\xFF\xFE";
    for (const wchar_t c : text) {
        bytes.push_back(static_cast<char>(c & 0xFF));
        bytes.push_back(static_cast<char>(c >> 8));
    }
    return bytes;
}

// Every section the language table leads to, 0 included: 24 of them.
std::set<std::int32_t> languageSections() {
    std::set<std::int32_t> sections = {0};
    for (std::uint32_t id = 0; id <= 0xFFFF; ++id) sections.insert(languageIndexForLangId(id));
    return sections;
}

// The menu file with `typed` characters of the title of [0] typed so far.
std::string menuFile(const std::set<std::int32_t>& sections, int typed) {
    std::wstring text =
        L"[autorun]\r\nopen=autorun-menu.exe\r\n[View]\r\nFontSize=16\r\nFontActiveColor=3\r\n";
    for (const std::int32_t section : sections) {
        const std::wstring number = std::to_wstring(section);
        std::wstring title = L"Benchmark Disc " + number;
        if (section == 0) title += std::wstring(static_cast<std::size_t>(typed), L'x');
        text += L"[" + number + L"]\r\nTitle=" + title +
                L"\r\nPrompt=Point at an entry to read what it does, then click it.\r\n"
                L"1=Install|setup.exe|/auto|Installs the program.\\nTakes a few minutes.|Setup "
                L"failed.|1\r\n2=Read me first|readme.txt||Opens the notes.|No notes.|\r\n"
                L"3=Browse this disc|.||Opens this disc in a folder window.||\r\n"
                L"4=Visit the web site|https://example.org/||Opens the web site.||\r\n"
                L"5=Exit|||Closes this menu.||1\r\n";
    }
    return utf16File(text);
}

std::wstring wide(const std::string& text) { return std::wstring(text.begin(), text.end()); }

// Waits for the next result; its time of arrival, or a negative time after a minute.
double waitForResult(HWND window, bool& failed) {
    const double deadline = nowSeconds() + 60;
    MSG message;
    while (nowSeconds() < deadline) {
        if (PeekMessageW(&message, window, kResultMessage, kResultMessage, PM_REMOVE)) {
            const double arrived = nowSeconds();
            std::unique_ptr<CheckResult> result(reinterpret_cast<CheckResult*>(message.lParam));
            failed = !result->complete;
            return arrived;
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_POSTMESSAGE);
    }
    return -1;
}

}  // namespace

int main(int argc, char** argv) {
    const int rounds = argc > 1 ? std::atoi(argv[1]) : 21;
    const std::string medium = programFolder() + "findings-medium\\";
    CreateDirectoryA(medium.c_str(), nullptr);
    if (!writeFile(medium + "setup.exe", "") || !writeFile(medium + "readme.txt", "Notes.\r\n") ||
        CopyFileA((programFolder() + "..\\autorun-menu.exe").c_str(),
                  (medium + "autorun-menu.exe").c_str(), FALSE) == 0) {
        std::printf("cannot lay out the medium in %s\n", medium.c_str());
        return 1;
    }
    const std::set<std::int32_t> sections = languageSections();
    const std::wstring menuPath = wide(medium) + L"autorun.inf";
    writeFile(medium + "autorun.inf", menuFile(sections, 0));

    HWND window =
        CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    FindingsWorker worker(window, kResultMessage,
                          wide(programFolder()) + L"editor-findings-child.exe");
    bool failed = false;
    // The first check also starts the folders and warms the file cache.
    worker.request(menuFile(sections, 0), menuPath, L"", L"");
    if (waitForResult(window, failed) < 0 || failed) {
        std::printf("the first check gave no complete result\n");
        return 1;
    }

    std::vector<double> latencies;
    double longestRequest = 0;
    int typed = 0;
    for (int round = 0; round < rounds; ++round) {
        // A burst of five keystrokes 40 ms apart, then a pause.
        double lastRequest = 0;
        for (int key = 0; key < 5; ++key) {
            if (key > 0) Sleep(40);
            std::string bytes = menuFile(sections, ++typed % 40);
            lastRequest = nowSeconds();
            worker.request(std::move(bytes), menuPath, L"", L"");
            longestRequest = std::max(longestRequest, nowSeconds() - lastRequest);
        }
        const double arrived = waitForResult(window, failed);
        if (arrived < 0 || failed) {
            std::printf("round %d gave no complete result\n", round);
            return 1;
        }
        latencies.push_back(arrived - lastRequest);
        Sleep(100);
    }
    std::printf("Live findings of a %zu-language UTF-16 menu file (%d bursts of 5 keystrokes)\n",
                sections.size(), rounds);
    printFigures("last keystroke to findings", latencies, 1e3, "ms");
    std::printf("  %-34s %9.1f us\n", "longest request() on the caller", longestRequest * 1e6);
    DestroyWindow(window);
    return 0;
}
