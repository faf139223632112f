// The command line that starts the check of the editor's text in a child process: the
// editor's own program again, as `program --findings MENU-FILE ROOT MENU-PROGRAM`.
#pragma once

#include <string>

// The option that makes the editor's program run the check and write its findings.
constexpr wchar_t kFindingsOption[] = L"--findings";

// `argument` written so that CommandLineToArgvW and the C runtime read it back as it is:
// in quotation marks, with each quotation mark and the backslashes before it escaped, and
// the backslashes before the closing mark doubled ("E:\" stays E:\).
std::wstring quotedArgument(const std::wstring& argument);

// `child` --findings `menuFile` `root` `program`, each quoted; the program's own name is
// quoted as Windows reads the first word: no escapes (no path holds a quotation mark).
std::wstring findingsCommandLine(const std::wstring& child, const std::wstring& menuFile,
                                 const std::wstring& root, const std::wstring& program);
