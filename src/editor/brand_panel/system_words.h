// The editor's texts (UTF-16) handed to the brand library, which takes the system's code
// page, and its messages (UTF-8) brought back.
#pragma once

#include <string>

// `text` in the system's code page, in `ansi`. False with a message for the author when the
// code page lacks some of its characters: `what` names the field ("Company"), or the file
// when `isPath` ("The picture": the path follows), and the characters are listed.
bool systemWordsOf(const std::wstring& text, const wchar_t* what, bool isPath, std::string& ansi,
                   std::wstring& error);

// A UTF-8 message of the brand library as the editor shows it.
std::wstring wideFromUtf8(const std::string& text);
