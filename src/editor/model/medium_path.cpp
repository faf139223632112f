#include "editor/model/medium_path.h"

namespace {

bool isSeparator(char16_t c) { return c == u'\\' || c == u'/'; }

char16_t folded(char16_t c) {
    if (isSeparator(c)) return u'\\';
    return c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - u'a' + u'A') : c;
}

}  // namespace

std::optional<std::u16string> relativeToRoot(const std::u16string& path,
                                             const std::u16string& root) {
    std::size_t rootLength = root.size();
    while (rootLength > 0 && isSeparator(root[rootLength - 1])) --rootLength;
    if (rootLength == 0 || path.size() <= rootLength + 1 || !isSeparator(path[rootLength]))
        return std::nullopt;
    for (std::size_t i = 0; i < rootLength; ++i) {
        if (folded(path[i]) != folded(root[i])) return std::nullopt;
    }
    std::u16string relative = path.substr(rootLength + 1);
    for (char16_t& c : relative) {
        if (isSeparator(c)) c = u'\\';
    }
    return relative;
}
