// The editor's preview after a keystroke: the whole menu file read again by the menu's own
// readers and drawn (show), then painted (paint), for the sample menu file and for a file
// with a section for every language the menu reads. Prints the median and 90th percentile.
// Usage: editor-preview-bench [SAMPLE-MENU-FILE [RUNS]]   (default sample\autorun.inf, 101)
#include <cstdlib>

#include "bench_common.h"
#include "editor/preview/menu_preview.h"

namespace {

std::string readFile(const char* path) {
    HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return {};
    std::string bytes;
    char buffer[65536];
    DWORD got = 0;
    while (ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0)
        bytes.append(buffer, got);
    CloseHandle(file);
    return bytes;
}

// `text` as a UTF-16 little-endian file with its mark.
std::string utf16File(const std::wstring& text) {
    std::string bytes = "\xFF\xFE";
    for (const wchar_t unit : text) {
        bytes += static_cast<char>(unit & 0xFF);
        bytes += static_cast<char>(unit >> 8 & 0xFF);
    }
    return bytes;
}

// A full [View] and, for every section the menu reads, a title, a prompt and five entries.
std::string everyLanguageFile() {
    std::wstring text =
        L"[View]\r\nShowNumbers=1\r\nFontName=Arial\r\nFontSize=16\r\nFontBold=1\r\n"
        L"FontActiveColor=5\r\nFontCommentName=Arial\r\nFontCommentSize=14\r\n";
    for (const PreviewLanguage& language : previewLanguages()) {
        const std::wstring n = std::to_wstring(language.index);
        text += L"[" + n + L"]\r\nTitle=Disc " + n + L" \u00C4\u0416\u03A9\r\n" +
                L"Prompt=Point at an entry to read what it does, then click it.\r\n";
        for (int entry = 1; entry <= 5; ++entry) {
            text += std::to_wstring(entry) + L"=Entry " + std::to_wstring(entry) +
                    L" \u00E9\u0436|setup.exe|/auto|What entry " + std::to_wstring(entry) +
                    L" does.\\nIn two lines.|It failed.|\r\n";
        }
    }
    return utf16File(text);
}

// An edit at the end of the file: a comment line, in the file's own encoding.
std::string edited(const std::string& file, int keystroke) {
    const std::wstring line = L";" + std::to_wstring(keystroke) + L"\r\n";
    return file.compare(0, 2, "\xFF\xFE") == 0 ? file + utf16File(line).substr(2)
                                               : file + std::string(line.begin(), line.end());
}

void measure(const char* name, const std::string& file, std::int32_t language, int runs,
             MenuPreview& preview, HDC dc) {
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        const std::string bytes = edited(file, i);
        const double begin = nowSeconds();
        const bool shown = preview.show(bytes, language);
        preview.paint(dc, 0, 0);
        GdiFlush();
        times.push_back(nowSeconds() - begin);
        if (!shown) {
            std::printf("  %s: not shown\n", name);
            return;
        }
    }
    std::vector<double> sorted = times;
    std::sort(sorted.begin(), sorted.end());
    const double ninetieth = sorted[(sorted.size() * 9 + 9) / 10 - 1];
    std::printf("  %-44s median %6.2f ms  90th percentile %6.2f ms\n", name, median(times) * 1e3,
                ninetieth * 1e3);
}

}  // namespace

int main(int argc, char** argv) {
    const char* samplePath = argc > 1 ? argv[1] : "sample\\autorun.inf";
    const int runs = argc > 2 ? std::atoi(argv[2]) : 101;
    const std::string sample = readFile(samplePath);
    if (sample.empty() || runs < 1) {
        std::printf("cannot read the sample menu file %s\n", samplePath);
        return 1;
    }
    const std::string everyLanguage = everyLanguageFile();

    // The preview paints into a device like the editor window's.
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 600, 397);
    ReleaseDC(nullptr, screen);
    if (dc == nullptr || bitmap == nullptr) return 1;
    HGDIOBJ kept = SelectObject(dc, bitmap);

    MenuPreview preview;
    std::printf("Editor preview, a keystroke to the frame redrawn (show + paint, %d runs)\n", runs);
    measure("sample/autorun.inf, [0]", sample, 0, runs, preview, dc);
    measure("sample/autorun.inf, [1] (code page 1251)", sample, 1, runs, preview, dc);
    measure("24 language sections, [0]", everyLanguage, 0, runs, preview, dc);
    measure("24 language sections, [22] (code page 1253)", everyLanguage, 22, runs, preview, dc);

    SelectObject(dc, kept);
    DeleteObject(bitmap);
    DeleteDC(dc);
    return 0;
}
