// UTF-8 and UTF-16 texts converted both ways, without the platform: names of the image are
// UTF-16 as Windows gives them, and messages are UTF-8.
#pragma once

#include <string>

// `text` (UTF-8) as UTF-16. A byte that starts no valid sequence becomes U+FFFD.
std::u16string utf16FromUtf8(const std::string& text);

// `text` (UTF-16) as UTF-8. A lone surrogate becomes U+FFFD.
std::string utf8FromUtf16(const std::u16string& text);
