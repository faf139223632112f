#include "document_test_support.h"

#include <memory>
#include <ostream>

#include "editor/document/latin1_codec.h"

namespace {

// The file's lines with their line breaks, read on their own terms (not the document's):
// a line ends after LF, or after CR that no LF follows.
std::vector<std::string> linesOf(const std::string& bytes) {
    std::string text;
    if (bytes.compare(0, 2, "\xFF\xFE") == 0) {
        for (std::size_t i = 2; i + 1 < bytes.size(); i += 2) {
            text += bytes[i + 1] == '\0' ? bytes[i] : '?';
        }
    } else {
        text = bytes;
    }
    std::vector<std::string> lines(1);
    for (std::size_t i = 0; i < text.size(); ++i) {
        lines.back() += text[i];
        const bool end =
            text[i] == '\n' || (text[i] == '\r' && (i + 1 == text.size() || text[i + 1] != '\n'));
        if (end && i + 1 < text.size()) lines.emplace_back();
    }
    if (lines.back().empty()) lines.pop_back();
    return lines;
}

}  // namespace

std::string utf16File(const std::u16string& text) {
    std::string bytes = "\xFF\xFE";
    for (const char16_t unit : text) {
        bytes += static_cast<char>(unit & 0xFF);
        bytes += static_cast<char>(unit >> 8);
    }
    return bytes;
}

ProfileDocument loadFile(const std::string& bytes) {
    return ProfileDocument::fromBytes(bytes, std::make_shared<Latin1Codec>());
}

LineChange lineChange(const std::string& before, const std::string& after) {
    const std::vector<std::string> a = linesOf(before);
    const std::vector<std::string> b = linesOf(after);
    std::size_t first = 0;
    while (first < a.size() && first < b.size() && a[first] == b[first]) ++first;
    std::size_t endA = a.size();
    std::size_t endB = b.size();
    while (endA > first && endB > first && a[endA - 1] == b[endB - 1]) {
        --endA;
        --endB;
    }
    return {first, {a.begin() + first, a.begin() + endA}, {b.begin() + first, b.begin() + endB}};
}

std::ostream& operator<<(std::ostream& out, const LineChange& change) {
    out << "from line " << change.first << ":";
    for (const std::string& line : change.removed) out << " -[" << line << "]";
    for (const std::string& line : change.inserted) out << " +[" << line << "]";
    return out;
}
