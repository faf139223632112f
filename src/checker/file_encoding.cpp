#include "checker/file_encoding.h"

#include "checker/value_text.h"

namespace {

const char kUtf8Mark[] = "\xEF\xBB\xBF";

bool startsWith(const std::string& bytes, const char* mark, std::size_t length) {
    return bytes.compare(0, length, mark, length) == 0;
}

// True when NULs stand in every other byte, as in UTF-16 text: ASCII characters (names,
// "=", "|", line breaks) have a NUL in one byte of their two. Of the two byte positions,
// one holds a NUL in at least a quarter of the units and the other hardly ever, so texts
// of other scripts between the ASCII names still count. ANSI and UTF-8 text hold no NUL.
bool nulInEveryOtherByte(const std::string& bytes) {
    std::size_t nuls[2] = {0, 0};
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\0') ++nuls[i % 2];
    }
    const std::size_t units = bytes.size() / 2;
    for (int position = 0; position < 2; ++position) {
        const std::size_t many = nuls[position];
        const std::size_t few = nuls[1 - position];
        if (many > 0 && many * 4 >= units && few * 8 <= many) return true;
    }
    return false;
}

}  // namespace

FileEncoding fileEncoding(const std::string& bytes) {
    if (startsWith(bytes, "\xFF\xFE", 2)) return FileEncoding::Utf16;
    if (startsWith(bytes, "\xFE\xFF", 2)) return FileEncoding::Utf16BigEndian;
    if (startsWith(bytes, kUtf8Mark, 3)) return FileEncoding::Utf8WithMark;
    if (nulInEveryOtherByte(bytes)) return FileEncoding::Utf16WithoutMark;
    if (looksLikeUtf8(bytes)) return FileEncoding::Utf8;
    return FileEncoding::Ansi;
}

std::string sectionLostToMark(const std::string& bytes) {
    if (!startsWith(bytes, kUtf8Mark, 3)) return {};
    const std::size_t end = bytes.find_first_of("\r\n", 3);
    const std::string line = trimmed(bytes.substr(3, end == std::string::npos ? end : end - 3));
    const std::size_t close = line.find(']');
    if (line.empty() || line[0] != '[' || close == std::string::npos) return {};
    return trimmed(line.substr(1, close - 1));
}
