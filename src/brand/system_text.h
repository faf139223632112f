// Texts in the system's code page, the one command lines and paths come in.
#pragma once

#include <string>

// `text` as UTF-16 in `wide`. False when some of it is not a character of the code page.
bool wideFromSystemText(const std::string& text, std::wstring& wide);

// `wide` in the system's code page, in `text`. False when the code page lacks one of its
// characters: no stand-in such as "?" and no look-alike is ever put in its place.
bool systemTextFromWide(const std::wstring& wide, std::string& text);

// `text` in UTF-8, for messages; bytes that are no character come out as they are.
std::string utf8FromSystemText(const std::string& text);
