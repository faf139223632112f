// Opening the menu file, and telling whether another program changed it since.
#include <windows.h>

#include "editor/document/profile_file_kind.h"
#include "editor/file/menu_file_io.h"
#include "editor/file/menu_file_read.h"
#include "editor/file/windows_codec.h"

namespace {

// The text of UTF-8 `bytes`; false when some of them are no UTF-8.
bool textFromUtf8(const std::string& bytes, std::u16string& text) {
    text.clear();
    if (bytes.empty()) return true;
    const int length = static_cast<int>(bytes.size());
    const int wideLength =
        MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, bytes.data(), length, nullptr, 0);
    if (wideLength <= 0) return false;
    std::wstring wide(static_cast<std::size_t>(wideLength), L'\0');
    if (MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, bytes.data(), length, &wide[0],
                            wideLength) != wideLength) {
        return false;
    }
    text.assign(wide.begin(), wide.end());
    return true;
}

const wchar_t kSaveAsUnicode[] =
    L" Save it as UTF-16 (\"Unicode\" in Notepad), which every Windows reads, and open it again.";

// Why a file of `kind` is no menu file the editor opens; empty for the kinds it opens.
std::wstring refusal(ProfileFileKind kind) {
    switch (kind) {
        case ProfileFileKind::Binary:
            return L"it holds NUL characters, as programs and pictures do, so it is no menu "
                   L"file.";
        case ProfileFileKind::TooLarge:
            return L"it is larger than 1 MiB, so it is no menu file.";
        case ProfileFileKind::Utf16BigEndian:
            return std::wstring(
                       L"it is saved as UTF-16 big-endian, which Windows reads as ANSI "
                       L"text, so the menu would find nothing in it.") +
                   kSaveAsUnicode;
        case ProfileFileKind::Utf16WithoutMark:
            return std::wstring(
                       L"it is saved as UTF-16 without its byte-order mark, which "
                       L"Windows reads as ANSI text, so the menu would find nothing in "
                       L"it.") +
                   kSaveAsUnicode;
        case ProfileFileKind::Utf16:
        case ProfileFileKind::Ansi:
        case ProfileFileKind::Utf8:
        case ProfileFileKind::Utf8WithMark:
            break;
    }
    return {};
}

}  // namespace

OpenResult openMenuFile(const std::wstring& path) {
    OpenResult result;
    std::string bytes;
    unsigned long error = 0;
    const ReadOutcome read = readMenuBytes(path, bytes, error);
    if (read == ReadOutcome::Failed) {
        result.message = L"Cannot open " + path + L": " + unreadableWords(path, error) + L".";
        return result;
    }
    const ProfileFileKind kind =
        read == ReadOutcome::TooLarge ? ProfileFileKind::TooLarge : profileFileKind(bytes);
    result.stamp.bytes = bytes;
    result.status = OpenStatus::Refused;
    const std::wstring refused = refusal(kind);
    if (!refused.empty()) {
        result.message = L"Cannot open " + path + L": " + refused;
        return result;
    }
    if (kind == ProfileFileKind::Utf16 || kind == ProfileFileKind::Ansi) {
        result.status = OpenStatus::Opened;
        result.document = ProfileDocument::fromBytes(bytes, windowsAnsiCodec());
        return result;
    }
    std::u16string text;
    if (!textFromUtf8(bytes, text)) {
        result.message = L"Cannot open " + path +
                         L": it starts with the mark of UTF-8 but holds bytes that are no "
                         L"UTF-8, so its encoding cannot be told." +
                         kSaveAsUnicode;
        return result;
    }
    result.status = OpenStatus::Utf8;
    result.document = ProfileDocument::fromText(text);
    result.message =
        path +
        L" is saved as UTF-8, which Windows reads as ANSI text: the menu would show every "
        L"letter outside English wrongly" +
        (kind == ProfileFileKind::Utf8WithMark
             ? L", and with the mark of UTF-8 it loses the file's first section."
             : L".") +
        L" The editor can convert it to UTF-16 (\"Unicode\"), which every Windows reads; it is "
        L"then saved that way.";
    return result;
}

bool changedOnDisk(const std::wstring& path, const FileStamp& stamp) {
    std::string bytes;
    unsigned long error = 0;
    switch (readMenuBytes(path, bytes, error)) {
        case ReadOutcome::Read:
            return bytes != stamp.bytes;
        case ReadOutcome::TooLarge:
            return true;
        case ReadOutcome::Failed:
            break;
    }
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) return true;
    // Locked or unreadable: only its size can tell.
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) return false;
    const ULONGLONG size = static_cast<ULONGLONG>(data.nFileSizeHigh) << 32 | data.nFileSizeLow;
    return size != stamp.bytes.size();
}
