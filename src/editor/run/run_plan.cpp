#include "editor/run/run_plan.h"

#include "console/paths.h"

namespace {

wchar_t asciiLower(wchar_t c) { return c >= L'A' && c <= L'Z' ? c - L'A' + L'a' : c; }

bool sameAsciiName(const std::wstring& a, const std::wstring& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (asciiLower(a[i]) != asciiLower(b[i])) return false;
    }
    return true;
}

}  // namespace

bool menuRunFiles(const std::wstring& menuFile, const std::wstring& program, MenuRunFiles& files,
                  std::wstring& error) {
    const std::wstring folder = folderOf(menuFile);
    const std::wstring menuName = menuFile.substr(folder.size());
    const std::wstring programFolder = folderOf(program);
    const std::wstring programName = program.substr(programFolder.size());
    if (folder.empty() || programFolder.empty() || programName.empty()) {
        error = L"The menu file and the menu program need full paths.";
        return false;
    }
    if (!sameAsciiName(menuName, L"autorun.inf")) {
        error = L"The menu reads only the file named autorun.inf beside it, not " + menuName +
                L". Save this file as autorun.inf to run the menu on it.";
        return false;
    }
    if (!sameAsciiName(folder, programFolder)) {
        error = L"The menu program " + program + L" does not lie beside " + menuFile +
                L", so it would not show this file. Copy the menu program into " + folder +
                L" first.";
        return false;
    }
    files.folder = folder;
    files.programName = programName;
    return true;
}

std::wstring mappableDriveLetters(std::uint32_t usedDrives) {
    std::wstring letters;
    for (wchar_t letter = L'Z'; letter >= L'D'; --letter) {
        if ((usedDrives & (std::uint32_t{1} << (letter - L'A'))) == 0) letters += letter;
    }
    return letters;
}

std::wstring mappingTarget(const std::wstring& folder) {
    std::wstring target = folder;
    while (target.size() > 1 && (target.back() == L'\\' || target.back() == L'/')) {
        target.pop_back();
    }
    return target;
}
