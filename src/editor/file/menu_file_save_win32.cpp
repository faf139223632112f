// Saving the menu file: written beside it, read back through the profile reader the menu
// uses, and only then given its name.
#include <windows.h>

#include <optional>

#include "console/console_text.h"
#include "console/system_error.h"
#include "editor/file/menu_file_io.h"
#include "editor/file/windows_codec.h"

namespace {

// The attributes a saved file keeps from the file it replaces.
constexpr DWORD kKeptAttributes = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                                  FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;

// The default that tells a missing key from an empty value: no value holds a line break,
// and the reader strips no "\x01" as a trailing blank.
const wchar_t kMissingW[] = L"\n\x01";
const char kMissingA[] = "\n\x01";

const wchar_t kFolderDenied[] = L"this user may not write in its folder";
const wchar_t kFileDenied[] = L"this user may not replace the file";

const wchar_t kNothingChanged[] =
    L" The file is as it was; the changes are still here in the editor.";

std::wstring wide(const std::u16string& text) { return {text.begin(), text.end()}; }

SaveResult failed(SaveStatus status, std::wstring message) {
    SaveResult result;
    result.status = status;
    result.message = std::move(message);
    return result;
}

SaveResult cannotWrite(const std::wstring& path, const std::wstring& why, DWORD error) {
    return failed(SaveStatus::CannotWrite, L"Cannot save " + path + L": " + why + L" (" +
                                               systemErrorWords(error) + L")." + kNothingChanged);
}

// Why writing beside or over a file failed, in the author's terms; `denied` says what
// access was refused.
std::wstring unwritableWords(DWORD error, const wchar_t* denied) {
    switch (error) {
        case ERROR_ACCESS_DENIED:
            return denied;
        case ERROR_WRITE_PROTECT:
            return L"the medium is write-protected";
        case ERROR_SHARING_VIOLATION:
        case ERROR_LOCK_VIOLATION:
            return L"another program has the file open";
        case ERROR_DISK_FULL:
        case ERROR_HANDLE_DISK_FULL:
            return L"the disk is full";
        case ERROR_FILENAME_EXCED_RANGE:
            return L"the path is too long for Windows";
        case ERROR_PATH_NOT_FOUND:
            return L"its folder does not exist";
        default:
            return L"Windows refused to write it";
    }
}

// The name beside `full` for the file being written. Names are never used twice by one
// program: the profile reader may keep a file it read cached under its name.
std::wstring temporaryName(const std::wstring& full) {
    static unsigned next = 0;
    static unsigned seed = 0;
    if (seed == 0) seed = (GetCurrentProcessId() * 2654435761u ^ GetTickCount()) | 1;
    const unsigned number = (seed + next++) & 0xFFFF;
    std::wstring name = L"~am";
    for (int shift = 12; shift >= 0; shift -= 4) name += L"0123456789ABCDEF"[number >> shift & 0xF];
    return full.substr(0, full.find_last_of(L"\\/") + 1) + name + L".tmp";
}

// A new file beside `full` holding `bytes`, flushed to the disk: its path, or empty with the
// system's error in `error` and nothing left behind.
std::wstring writeBeside(const std::wstring& full, const std::string& bytes, DWORD& error) {
    std::wstring temp;
    HANDLE file = INVALID_HANDLE_VALUE;
    for (int attempt = 0; attempt < 64 && file == INVALID_HANDLE_VALUE; ++attempt) {
        temp = temporaryName(full);
        if (temp.size() >= MAX_PATH) {
            error = ERROR_FILENAME_EXCED_RANGE;
            return {};
        }
        file = CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
        error = file == INVALID_HANDLE_VALUE ? GetLastError() : ERROR_SUCCESS;
        if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) break;
    }
    if (file == INVALID_HANDLE_VALUE) return {};
    std::size_t done = 0;
    bool written = true;
    while (written && done < bytes.size()) {
        DWORD wrote = 0;
        written = WriteFile(file, bytes.data() + done, static_cast<DWORD>(bytes.size() - done),
                            &wrote, nullptr) &&
                  wrote > 0;
        done += wrote;
    }
    written = written && FlushFileBuffers(file);
    if (!written) error = GetLastError();
    if (!CloseHandle(file) && written) {
        error = GetLastError();
        written = false;
    }
    if (!written) {
        if (error == ERROR_SUCCESS) error = ERROR_WRITE_FAULT;
        DeleteFileW(temp.c_str());
        return {};
    }
    return temp;
}

// The value of [section] key in `file` through the Unicode profile reader, at most
// `longest` characters of it; nothing when the key is missing.
std::optional<std::wstring> unicodeReading(const std::wstring& file, const std::wstring& section,
                                           const std::wstring& key, std::size_t longest) {
    std::wstring value(longest + 3, L'\0');
    const DWORD length =
        GetPrivateProfileStringW(section.c_str(), key.c_str(), kMissingW, &value[0],
                                 static_cast<DWORD>(value.size()), file.c_str());
    value.resize(length);
    if (value == kMissingW) return std::nullopt;
    return value;
}

// `text` in the system's code page as the ANSI functions convert it; with `exact`, false
// when the code page lacks a character of it.
bool systemBytes(const std::wstring& text, std::string& bytes, bool exact) {
    bytes.clear();
    if (text.empty()) return true;
    const int wideLength = static_cast<int>(text.size());
    // A system whose code page is UTF-8 holds every character; Windows takes neither the
    // flag against best fits nor the default-character argument for it.
    const bool utf8 = GetACP() == CP_UTF8;
    const DWORD flags = !exact ? 0 : utf8 ? WC_ERR_INVALID_CHARS : WC_NO_BEST_FIT_CHARS;
    BOOL usedDefault = FALSE;
    BOOL* used = exact && !utf8 ? &usedDefault : nullptr;
    const int length =
        WideCharToMultiByte(CP_ACP, flags, text.data(), wideLength, nullptr, 0, nullptr, used);
    if (length <= 0) return false;
    bytes.assign(static_cast<std::size_t>(length), '\0');
    return WideCharToMultiByte(CP_ACP, flags, text.data(), wideLength, &bytes[0], length, nullptr,
                               used) == length &&
           !usedDefault;
}

// The value of [section] key in the ANSI file `file` as the menu's reader, the ANSI call,
// hands it: at most `longest` bytes of it; nothing when the key is missing.
std::optional<std::string> ansiReading(const std::wstring& file, const std::wstring& section,
                                       const std::wstring& key, std::size_t longest) {
    std::string fileA;
    std::string sectionA;
    std::string keyA;
    if (systemBytes(file, fileA, true) && systemBytes(section, sectionA, true) &&
        systemBytes(key, keyA, true)) {
        std::string value(longest + 3, '\0');
        const DWORD length =
            GetPrivateProfileStringA(sectionA.c_str(), keyA.c_str(), kMissingA, &value[0],
                                     static_cast<DWORD>(value.size()), fileA.c_str());
        value.resize(length);
        if (value == kMissingA) return std::nullopt;
        return value;
    }
    // A path or name the ANSI call cannot name: the Unicode call, whose text the ANSI call
    // hands on in the system's code page.
    const std::optional<std::wstring> text = unicodeReading(file, section, key, longest);
    if (!text) return std::nullopt;
    std::string value;
    systemBytes(*text, value, false);
    return value;
}

// True when `read`, what the ANSI call gave, is what the menu must get for `check`.
bool readsAs(const std::optional<std::string>& read, const ValueCheck& check) {
    if (!read) return false;
    const AnsiCodec& codec = *windowsAnsiCodec();
    std::string expected;
    if (codec.encode(check.value, check.section, expected)) {
        if (*read == expected) return true;
        // A reader may hand the bytes on through the system's own code page (Wine always
        // does); the menu's system, whose code page is the section's, gets them as they are.
        std::string handedOn;
        systemBytes(wideFromCodePage(expected, CP_ACP), handedOn, false);
        return *read == handedOn;
    }
    // A value the section's code page cannot hold came from bytes that are no character of
    // it: it reads as set when the bytes read give that text.
    return codec.decode(*read, check.section) == check.value;
}

// The checks of `readBack` that `file`, written from a document in `encoding`, fails.
std::wstring readBackFailures(const std::wstring& file, DocumentEncoding encoding,
                              const std::vector<ValueCheck>& readBack) {
    std::wstring failures;
    for (const ValueCheck& check : readBack) {
        const std::wstring section = wide(check.section);
        const std::wstring key = wide(check.key);
        bool good = false;
        if (encoding == DocumentEncoding::Utf16) {
            const std::optional<std::wstring> read =
                unicodeReading(file, section, key, check.value.size());
            good = read && *read == wide(check.value);
        } else {
            // The ANSI call hands at most two bytes a character on.
            good = readsAs(ansiReading(file, section, key, 2 * check.value.size()), check);
        }
        if (good) continue;
        if (!failures.empty()) failures += L", ";
        failures += L"[" + section + L"] " + key;
    }
    return failures;
}

// Sets the attributes `before` of the replaced file on `full` again where the system's
// replacing did not keep them (Wine moves the new file in as it is).
void keepAttributes(const std::wstring& full, DWORD before) {
    const DWORD now = GetFileAttributesW(full.c_str());
    if (now == INVALID_FILE_ATTRIBUTES || (now & kKeptAttributes) == (before & kKeptAttributes)) {
        return;
    }
    const DWORD wanted =
        (now & ~kKeptAttributes & ~FILE_ATTRIBUTE_NORMAL) | (before & kKeptAttributes);
    // Failing, the file is saved all the same, only without the old file's flags.
    SetFileAttributesW(full.c_str(), wanted != 0 ? wanted : FILE_ATTRIBUTE_NORMAL);
}

// Gives the written file `temp` the name `full`, whose old file had `attributes`
// (INVALID_FILE_ATTRIBUTES when there was none).
SaveResult putInPlace(const std::wstring& full, const std::wstring& temp, DWORD attributes) {
    bool placed = false;
    DWORD error = ERROR_SUCCESS;
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        placed = MoveFileExW(temp.c_str(), full.c_str(), MOVEFILE_WRITE_THROUGH);
        if (!placed) error = GetLastError();
    } else {
        placed = ReplaceFileW(full.c_str(), temp.c_str(), nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS,
                              nullptr, nullptr);
        if (!placed) error = GetLastError();
        if (error == ERROR_UNABLE_TO_MOVE_REPLACEMENT ||
            error == ERROR_UNABLE_TO_MOVE_REPLACEMENT_2) {
            // The old file has left its name, the new one is still under its temporary name:
            // the move is finished by hand.
            if (!MoveFileExW(temp.c_str(), full.c_str(),
                             MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
                return failed(SaveStatus::CannotWrite,
                              L"Cannot save " + full + L": Windows took the old file away but " +
                                  L"could not give the saved one its name (" +
                                  systemErrorWords(GetLastError()) + L"). The saved file is " +
                                  temp + L"; rename it to the menu file's name.");
            }
            placed = true;
        }
    }
    if (!placed) {
        DeleteFileW(temp.c_str());
        return cannotWrite(full, unwritableWords(error, kFileDenied), error);
    }
    if (attributes != INVALID_FILE_ATTRIBUTES) keepAttributes(full, attributes);
    SaveResult result;
    result.status = SaveStatus::Saved;
    return result;
}

}  // namespace

SaveResult saveMenuFile(const std::wstring& path, const ProfileDocument& document,
                        const FileStamp* openedAs, const std::vector<ValueCheck>& readBack) {
    const DWORD fullLength = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    std::wstring full(fullLength, L'\0');
    if (fullLength == 0 ||
        GetFullPathNameW(path.c_str(), fullLength, &full[0], nullptr) >= fullLength) {
        const DWORD error = fullLength == 0 ? GetLastError() : ERROR_INVALID_NAME;
        return cannotWrite(path, L"it is no path Windows can use", error);
    }
    full.resize(fullLength - 1);

    if (openedAs != nullptr && changedOnDisk(full, *openedAs)) {
        const bool gone = GetFileAttributesW(full.c_str()) == INVALID_FILE_ATTRIBUTES;
        return failed(SaveStatus::ChangedOnDisk,
                      L"Nothing was saved: another program " +
                          std::wstring(gone ? L"removed " : L"changed ") + full +
                          L" since the editor read it; saving over it would lose what that "
                          L"program wrote.");
    }
    // The menu's reader and Windows without long paths take no longer path.
    if (full.size() >= MAX_PATH) {
        return cannotWrite(full, unwritableWords(ERROR_FILENAME_EXCED_RANGE, kFileDenied),
                           ERROR_FILENAME_EXCED_RANGE);
    }
    const DWORD attributes = GetFileAttributesW(full.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES) {
        if ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
            return cannotWrite(full, L"it is a folder", ERROR_ACCESS_DENIED);
        }
        if ((attributes & FILE_ATTRIBUTE_READONLY) != 0) {
            return cannotWrite(full, L"the file is read-only", ERROR_ACCESS_DENIED);
        }
        // A file another program holds open cannot be replaced: told before anything is
        // written, as replacing opens it just so.
        HANDLE held = CreateFileW(full.c_str(), GENERIC_READ | DELETE,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (held == INVALID_HANDLE_VALUE) {
            const DWORD error = GetLastError();
            return cannotWrite(full, unwritableWords(error, kFileDenied), error);
        }
        CloseHandle(held);
    }

    const std::string bytes = document.toBytes();
    DWORD error = ERROR_SUCCESS;
    const std::wstring temp = writeBeside(full, bytes, error);
    if (temp.empty()) return cannotWrite(full, unwritableWords(error, kFolderDenied), error);

    const std::wstring failures = readBackFailures(temp, document.encoding(), readBack);
    if (!failures.empty()) {
        DeleteFileW(temp.c_str());
        return failed(SaveStatus::ReadBackFailed,
                      L"Nothing was saved: written to disk, " + failures +
                          L" did not read back through Windows as the editor has it, so the "
                          L"menu would not get it." +
                          kNothingChanged);
    }

    SaveResult result = putInPlace(full, temp, attributes);
    if (result.status != SaveStatus::Saved) return result;
    // The profile reader forgets what it kept of the old file, which a clock that ticks
    // coarsely (FAT: 2 s) could otherwise leave in force.
    WritePrivateProfileStringW(nullptr, nullptr, nullptr, full.c_str());
    result.stamp.bytes = bytes;
    result.message = L"Saved " + full + L".";
    return result;
}
