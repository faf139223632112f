// Menu > Sign...: the menu program beside autorun.inf signed with the author's own
// code-signing certificate (a .pfx file, or one from their certificate store picked in
// Windows' own picker, a token's included), time-stamped when they give a server; and the
// program's signature in words, which the editor always shows.
#pragma once

#include <windows.h>

#include <string>

// Signs `program` in place, asking the author through dialogs owned by `owner`. True when
// it was signed; otherwise the program keeps the signature it had (a message says why,
// unless the author cancelled).
bool signMenuProgram(HWND owner, const std::wstring& program);

// "Menu program: signed by NAME", "... not signed", "... signature broken (why)".
std::wstring signatureText(const std::wstring& program);
