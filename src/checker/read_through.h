// Which file the checker's profile reads go through, so that they read the menu file the
// way the menu reads it on Windows.
#pragma once

#include <string>

#include "checker/file_encoding.h"

enum class ReadThrough {
    MenuFile,         // the menu file itself
    Copy,             // a copy of its bytes under another name: this PC maps every file named
                      // autorun.inf away from the profile reader, as hardened PCs do
    CopyWithoutMark,  // a copy without the big-endian mark: ANSI text to every reader, as the
                      // file is to Windows (other readers take FE FF for UTF-16)
};

// `readerFoundSections`: whether the profile reader found any section in the menu file.
// A file the reader found nothing in although its bytes hold a section heading is mapped
// away; UTF-16 without a mark is not, as every reader takes it for ANSI text and finds
// nothing in it.
ReadThrough readThrough(FileEncoding encoding, bool readerFoundSections, const std::string& bytes);
