// How Windows' profile reader takes a menu file, told from its bytes alone. Windows reads a
// file as Unicode only when it starts with the mark of little-endian UTF-16 (FF FE);
// everything else is ANSI text, where the mark of UTF-8 (EF BB BF) is three characters of
// the first line.
#pragma once

#include <string>

enum class FileEncoding {
    Ansi,              // bytes of an ANSI code page, plain ASCII included
    Utf8,              // UTF-8 without a mark, with characters outside ASCII
    Utf8WithMark,      // starts with EF BB BF
    Utf16,             // starts with FF FE: the UTF-16 Windows reads as Unicode
    Utf16BigEndian,    // starts with FE FF
    Utf16WithoutMark,  // a NUL in every other byte and no mark, either byte order
};

FileEncoding fileEncoding(const std::string& bytes);

// For a file that starts with the UTF-8 mark: the name of the section whose heading is its
// first line. Windows reads the mark as part of that line, which then opens no section, so
// the keys below it belong to none. Empty when the first line is no section heading.
std::string sectionLostToMark(const std::string& bytes);
