// UTF-16 to UTF-8 and back without the platform, for handing the editor's texts to the
// menu's own byte-string code. A lone surrogate is kept as its own three bytes, so every
// UTF-16 text comes back exactly as it went in.
#pragma once

#include <string>

std::string utf8Of(const std::u16string& text);
std::u16string utf16Of(const std::string& text);
