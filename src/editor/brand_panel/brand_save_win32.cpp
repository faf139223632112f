#include "editor/brand_panel/brand_save.h"

#include <windows.h>

#include "brand/brand_menu.h"
#include "brand/file_problem.h"
#include "brand/menu_program.h"
#include "brand/system_text.h"
#include "brand/version_info.h"
#include "console/system_error.h"
#include "editor/brand_panel/system_words.h"

namespace {

BrandSaveResult refused(const std::wstring& error) {
    BrandSaveResult result;
    result.error = error;
    return result;
}

// `path` made full against the current folder; false with the reason when it cannot be.
bool fullPathOf(const std::wstring& path, std::wstring& full, std::wstring& error) {
    const DWORD needed = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    if (needed != 0) {
        full.assign(needed, L'\0');
        const DWORD length = GetFullPathNameW(path.c_str(), needed, &full[0], nullptr);
        if (length != 0 && length < needed) {
            full.resize(length);
            return true;
        }
    }
    error = path + L" is not a path Windows can use: " + systemErrorWords(GetLastError());
    return false;
}

// `text` with every `from` replaced by `to`.
std::string replaced(std::string text, const std::string& from, const std::string& to) {
    if (from.empty()) return text;
    for (std::size_t at = text.find(from); at != std::string::npos;
         at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
    return text;
}

// The brand request for `choices` on the menu program `menu` (full, in the code page).
// False with the author's message for a path or name the request cannot carry.
bool requestFor(const BrandChoices& choices, const std::string& menu, BrandRequest& request,
                std::wstring& error) {
    request.menu = menu;
    std::string path;
    if (!choices.picture.empty()) {
        if (!systemWordsOf(choices.picture, L"The picture", true, path, error)) return false;
        request.picture = path;
        if (choices.fit) request.fitColour = choices.fitColour;
    }
    if (!choices.icon.empty()) {
        if (!systemWordsOf(choices.icon, L"The icon", true, path, error)) return false;
        request.icon = path;
    }
    for (const BrandNameField& field : kBrandNameFields) {
        const std::optional<std::wstring>& text = choices.*field.choice;
        if (!text) continue;
        const std::wstring name = field.name;
        if (text->empty()) {
            error = name +
                    L" cannot be empty: the program keeps a text there. Write one, or "
                    L"put back the program's own.";
            return false;
        }
        if (text->size() > kMaxVersionText) {
            error = name + L" is " + std::to_wstring(text->size()) +
                    L" characters long; the program takes at most " +
                    std::to_wstring(kMaxVersionText) + L".";
            return false;
        }
        std::string ansi;
        if (!systemWordsOf(*text, field.name, false, ansi, error)) return false;
        request.*field.version->text = ansi;
    }
    if (!requestProblem(request).empty()) {
        error = L"Nothing to change: choose a picture or an icon, or change a name.";
        return false;
    }
    return true;
}

}  // namespace

bool readBrandNames(const std::wstring& program, BrandNames& names, std::wstring& error) {
    names = BrandNames{};
    std::wstring full;
    std::string path;
    if (!fullPathOf(program, full, error) ||
        !systemWordsOf(full, L"The menu program", true, path, error))
        return false;
    MenuProgram menu;
    std::string reason;
    if (readMenuProgram(path, menu, reason) != MenuReading::read) {
        error = full + L": " + wideFromUtf8(reason);
        return false;
    }
    for (const BrandNameField& field : kBrandNameFields) {
        const std::u16string text = versionText(menu.version, field.version->key);
        names.*field.current = std::wstring(text.begin(), text.end());
    }
    return true;
}

BrandSaveResult saveBrandedProgram(const std::wstring& program, const BrandChoices& choices) {
    std::wstring full;
    std::string menu;
    std::wstring error;
    if (!fullPathOf(program, full, error) ||
        !systemWordsOf(full, L"The menu program", true, menu, error))
        return refused(error);
    BrandRequest request;
    if (!requestFor(choices, menu, request, error)) return refused(error);

    // The program itself cannot be replaced when read-only: say so before anything is made.
    const DWORD attributes = GetFileAttributesW(full.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0 &&
        (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
        return refused(full +
                       L" is read-only: the branded copy cannot take its place. Clear "
                       L"its read-only attribute and save again.");
    }

    // The branded copy is written beside the program, under a name of its own made here
    // (brandMenu never writes over the program it reads), and renamed over the program
    // only once written and checked.
    const std::size_t separator = full.find_last_of(L"\\/");
    const std::wstring folder = full.substr(0, separator + 1);
    wchar_t temporary[MAX_PATH];
    if (separator == std::wstring::npos ||
        GetTempFileNameW(folder.c_str(), L"amb", 0, temporary) == 0) {
        return refused(L"The branded copy cannot be written into " + folder + L": " +
                       systemErrorWords(GetLastError()));
    }
    const std::wstring copy = temporary;
    if (!systemWordsOf(copy, L"The branded copy", true, request.output, error)) {
        DeleteFileW(copy.c_str());
        return refused(error);
    }

    const BrandResult branded = brandMenu(request);
    BrandSaveResult result;
    if (branded.signatureRemoved) result.notes.push_back(kSignatureNote);
    for (const std::string& note : branded.notes) result.notes.push_back(wideFromUtf8(note));
    if (branded.outcome != BrandOutcome::written) {
        DeleteFileW(copy.c_str());
        // The library's reason names its output, which is the copy here: the author knows
        // the file as the program.
        result.error = wideFromUtf8(
            replaced(branded.reason, utf8FromSystemText(request.output), utf8FromSystemText(menu)));
        return result;
    }
    if (!MoveFileExW(copy.c_str(), full.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        const DWORD code = GetLastError();
        result.error =
            full + L": the branded copy cannot take its place: " + systemErrorWords(code) + L".";
        if (code == ERROR_SHARING_VIOLATION || code == ERROR_ACCESS_DENIED)
            result.error += L" Close the menu, or any program using it, and save again.";
        if (!DeleteFileW(copy.c_str()))
            result.error += L" The copy " + copy + L" is left: delete it.";
        return result;
    }
    result.saved = true;
    return result;
}
