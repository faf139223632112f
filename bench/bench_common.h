// Small helpers shared by the benchmark programs: a clock, a medium folder with a full
// menu file, and figures printed as min / median / max.
#pragma once

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "config/language.h"

inline double nowSeconds() {
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

inline double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

inline void printFigures(const char* name, const std::vector<double>& values, double scale,
                         const char* unit) {
    const auto [low, high] = std::minmax_element(values.begin(), values.end());
    std::printf("  %-34s min %9.1f  median %9.1f  max %9.1f %s\n", name, *low * scale,
                median(values) * scale, *high * scale, unit);
}

// A full menu file: every [View] key, a title and a prompt, five entries.
inline const char* fullMenuFile() {
    return "[autorun]\r\nopen=autorun-menu.exe\r\n"
           "[View]\r\nShowNumbers=1\r\nFontName=Arial\r\nFontSize=16\r\nFontBold=1\r\n"
           "FontItalic=0\r\nFontUnderlined=0\r\nFontColor=1\r\nFontActiveColor=10\r\n"
           "FontCommentName=Arial\r\nFontCommentSize=13\r\nFontCommentColor=1\r\nBkCommentColor="
           "15\r\n"
           "[0]\r\nTitle=Benchmark Disc\r\n"
           "Prompt=Point at an entry to read what it does, then click it or press its number.\r\n"
           "1=Install|setup.exe|/auto|Installs the program.\\nTakes a few minutes.|Setup "
           "failed.|1\r\n"
           "2=Read me first|readme.txt||Opens the notes about this disc.|The notes could not be "
           "opened.|\r\n"
           "3=Browse this disc|.||Opens this disc in a folder window.|The disc could not be "
           "opened.|\r\n"
           "4=Visit the web site|https://example.org/||Opens the web site.|No browser could be "
           "started.|\r\n"
           "5=Exit|||Closes this menu.||1\r\n";
}

inline std::string programFolder() {
    char path[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
    std::string folder(path, length);
    return folder.substr(0, folder.find_last_of("\\/") + 1);
}

inline bool writeFile(const std::string& path, const std::string& content) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
    CloseHandle(file);
    return written == content.size();
}

// A UTF-16 menu file with a section for every section number the menu's language table
// leads to (24 with [0]), each with a title, a prompt and five entries, and a full [View].
inline std::string allLanguagesMenuFile() {
    std::vector<int> sections = {0};
    for (unsigned id = 0; id <= 0xFFFF; ++id) {
        const int index = languageIndexForLangId(id);
        if (std::find(sections.begin(), sections.end(), index) == sections.end())
            sections.push_back(index);
    }
    std::sort(sections.begin(), sections.end());
    std::string text = fullMenuFile();
    text = text.substr(0, text.find("[0]"));
    for (const int index : sections) {
        const std::string n = std::to_string(index);
        text += "\r\n[" + n + "]\r\nTitle=Disc in language " + n +
                "\r\nPrompt=Point at an entry to read what it does.\r\n";
        for (int slot = 1; slot <= 5; ++slot) {
            const std::string k = std::to_string(slot);
            text += k + "=Entry " + k + " of " + n + "|setup" + k + ".exe||What entry " + k +
                    " does.\\nSecond line.|It could not start.|\r\n";
        }
    }
    std::string bytes = "\xFF\xFE";
    for (const char c : text) {
        bytes += c;
        bytes += '\0';
    }
    return bytes;
}
