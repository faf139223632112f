#include "editor/document/stored_text.h"

#include "editor/document/profile_syntax.h"

namespace {

bool holdsAny(const std::u16string& text, const std::u16string& characters) {
    return text.find_first_of(characters) != std::u16string::npos;
}

const std::u16string kLineBreaksAndNul(u"\r\n\0", 3);

bool blankAtEitherEnd(const std::u16string& text) {
    return !text.empty() && (isProfileBlank(text.front()) || isProfileBlank(text.back()));
}

}  // namespace

bool isStorableValue(const std::u16string& value) { return !holdsAny(value, kLineBreaksAndNul); }

std::u16string storedValue(const std::u16string& value) {
    const bool quoted = !value.empty() && (value.front() == u'"' || value.front() == u'\'') &&
                        value.back() == value.front();
    if (blankAtEitherEnd(value) || quoted) return u'"' + value + u'"';
    return value;
}

bool isStorableKeyName(const std::u16string& name) {
    return !name.empty() && !blankAtEitherEnd(name) && !holdsAny(name, kLineBreaksAndNul) &&
           name.find(u'=') == std::u16string::npos && name.front() != u'[' && name.front() != u';';
}

bool isStorableSectionName(const std::u16string& name) {
    return !blankAtEitherEnd(name) && !holdsAny(name, kLineBreaksAndNul) &&
           name.find(u']') == std::u16string::npos;
}
