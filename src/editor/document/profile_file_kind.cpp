#include "editor/document/profile_file_kind.h"

#include "checker/file_encoding.h"

namespace {

// True when a UTF-16 unit after the mark is NUL.
bool nulInUtf16(const std::string& bytes) {
    for (std::size_t i = 2; i + 1 < bytes.size(); i += 2) {
        if (bytes[i] == '\0' && bytes[i + 1] == '\0') return true;
    }
    return false;
}

}  // namespace

ProfileFileKind profileFileKind(const std::string& bytes) {
    if (bytes.size() > kLargestProfileFile) return ProfileFileKind::TooLarge;
    switch (fileEncoding(bytes)) {
        case FileEncoding::Utf16:
            return nulInUtf16(bytes) ? ProfileFileKind::Binary : ProfileFileKind::Utf16;
        case FileEncoding::Utf8:
            return ProfileFileKind::Utf8;
        case FileEncoding::Utf8WithMark:
            return ProfileFileKind::Utf8WithMark;
        case FileEncoding::Utf16BigEndian:
            return ProfileFileKind::Utf16BigEndian;
        case FileEncoding::Utf16WithoutMark:
            return ProfileFileKind::Utf16WithoutMark;
        case FileEncoding::Ansi:
            break;
    }
    return bytes.find('\0') == std::string::npos ? ProfileFileKind::Ansi : ProfileFileKind::Binary;
}
