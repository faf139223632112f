// The console tools' lines, written as characters so that texts of every language arrive
// whole: as UTF-16 to a console (whatever its code page), as UTF-8 to a pipe or a file.
#pragma once

#include <string>

enum class ConsoleStream { output, error };

// `text` in code page `codePage` (CP_ACP, 1251, CP_UTF8, ...) as UTF-16. Text that does not
// convert at all comes back with each char widened as it is.
std::wstring wideFromCodePage(const std::string& text, unsigned codePage);

// `text` (UTF-16) in UTF-8; and `text` in code page `codePage` in UTF-8, by way of
// wideFromCodePage.
std::string utf8FromWideText(const std::wstring& text);
std::string utf8FromCodePage(const std::string& text, unsigned codePage);

// `wide` in code page `codePage`, an ANSI or OEM code page (UTF-8 and UTF-7 take no
// default character), with "?" for each character the code page lacks, never a look-alike:
// a reader on a system of that code page gets no better. `*lossy`, when given, tells
// whether any character was lacking.
std::string inCodePage(const std::wstring& wide, unsigned codePage, bool* lossy);

// Writes `line` and a line break ("\r\n") to the standard output or error: with
// WriteConsoleW when it is a console, as UTF-8 bytes otherwise.
void writeConsoleLine(ConsoleStream stream, const std::wstring& line);

// Writes each line of `text` (lines end in "\n") in code page `codePage` as above.
void writeConsoleLines(ConsoleStream stream, const std::string& text, unsigned codePage);
