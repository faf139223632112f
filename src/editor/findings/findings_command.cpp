#include "editor/findings/findings_command.h"

#include <cstddef>

std::wstring quotedArgument(const std::wstring& argument) {
    std::wstring quoted = L"\"";
    std::size_t backslashes = 0;
    for (const wchar_t c : argument) {
        if (c == L'\\') {
            ++backslashes;
            continue;
        }
        // Backslashes count only before a quotation mark: there each is escaped, and so is
        // the mark.
        quoted.append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
        quoted += c;
        backslashes = 0;
    }
    quoted.append(backslashes * 2, L'\\');
    return quoted + L"\"";
}

std::wstring findingsCommandLine(const std::wstring& child, const std::wstring& menuFile,
                                 const std::wstring& root, const std::wstring& program) {
    return L"\"" + child + L"\" " + kFindingsOption + L" " + quotedArgument(menuFile) + L" " +
           quotedArgument(root) + L" " + quotedArgument(program);
}
