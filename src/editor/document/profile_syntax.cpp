#include "editor/document/profile_syntax.h"

namespace {

bool isQuote(char16_t c) { return c == u'"' || c == u'\''; }

char16_t asciiLower(char16_t c) {
    return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c + (u'a' - u'A')) : c;
}

}  // namespace

std::u16string nameOf(const std::u16string& line, const LineParts& parts) {
    return line.substr(parts.nameBegin, parts.nameEnd - parts.nameBegin);
}

std::u16string valueOf(const std::u16string& line, const LineParts& parts) {
    std::size_t begin = parts.valueBegin;
    std::size_t end = parts.valueEnd;
    if (end - begin >= 2 && isQuote(line[begin]) && line[end - 1] == line[begin]) {
        ++begin;
        --end;
    }
    return line.substr(begin, end - begin);
}

bool sameName(const std::u16string& a, const std::u16string& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (asciiLower(a[i]) != asciiLower(b[i])) return false;
    }
    return true;
}
