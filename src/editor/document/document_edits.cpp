// The edits of a profile document: each changes only the lines it must.
#include "editor/document/profile_document.h"
#include "editor/document/profile_syntax.h"
#include "editor/document/stored_text.h"

namespace {

// `line` (std::string or std::u16string, a key line) with `stored` in place of its value.
// The key, the blanks around '=' and after the value stay; a line without '=' gains one
// after the key.
template <typename Text>
Text withValue(const Text& line, const Text& stored) {
    const LineParts parts = lineParts(line);
    if (!parts.hasEquals) {
        return line.substr(0, parts.nameEnd) + Text(1, '=') + stored + line.substr(parts.nameEnd);
    }
    return line.substr(0, parts.valueBegin) + stored + line.substr(parts.valueEnd);
}

}  // namespace

EditStatus ProfileDocument::setValue(const std::u16string& section, const std::u16string& key,
                                     const std::u16string& value) {
    if (!isStorableSectionName(section) || !isStorableKeyName(key)) {
        return EditStatus::NameNotStorable;
    }
    if (!isStorableValue(value)) return EditStatus::ValueNotStorable;
    if (const std::optional<std::size_t> line = keyLine(section, key)) {
        if (this->value(section, key) == value) return EditStatus::Done;
        return replaceValue(*line, value);
    }
    ProfileLine added;
    if (!newLine(key + u'=' + storedValue(value), section, added)) {
        return EditStatus::NotInCodePage;
    }
    const std::vector<SectionRange> sections = sectionsNamed(section);
    if (sections.empty()) return appendSection(section, &added);
    const SectionRange first = sections.front();
    std::size_t at = first.heading + 1;
    for (std::size_t i = at; i < first.end; ++i) {
        if (lineParts(lines_[i].text).kind == LineKind::Key) at = i + 1;
    }
    insertLine(at, std::move(added));
    return EditStatus::Done;
}

EditStatus ProfileDocument::replaceValue(std::size_t index, const std::u16string& value) {
    const std::u16string stored = storedValue(value);
    ProfileLine& line = lines_[index];
    if (encoding_ == DocumentEncoding::Utf16) {
        line.text = withValue(line.text, stored);
        return EditStatus::Done;
    }
    const std::u16string section = sectionBefore(index);
    std::string encoded;
    if (!codec_->encode(stored, section, encoded)) return EditStatus::NotInCodePage;
    // The bytes outside the value stay as they are, whatever their code page.
    if (lineParts(line.bytes).kind == LineKind::Key) {
        line.bytes = withValue(line.bytes, encoded);
        line.text = codec_->decode(line.bytes, section);
        return EditStatus::Done;
    }
    // Only a codec that breaks its contract gets here: write the whole line anew.
    ProfileLine replaced;
    if (!newLine(withValue(line.text, stored), section, replaced)) {
        return EditStatus::NotInCodePage;
    }
    line.text = std::move(replaced.text);
    line.bytes = std::move(replaced.bytes);
    return EditStatus::Done;
}

EditStatus ProfileDocument::addSection(const std::u16string& section) {
    if (!isStorableSectionName(section)) return EditStatus::NameNotStorable;
    if (sectionLine(section)) return EditStatus::Done;
    return appendSection(section, nullptr);
}

EditStatus ProfileDocument::appendSection(const std::u16string& section,
                                          const ProfileLine* firstKey) {
    // The heading is read in the code page of the section before it.
    ProfileLine heading;
    if (!newLine(u'[' + section + u']', sectionBefore(lines_.size()), heading)) {
        return EditStatus::NotInCodePage;
    }
    if (!lines_.empty() && lineParts(lines_.back().text).kind != LineKind::Blank) {
        insertLine(lines_.size(), ProfileLine());
    }
    insertLine(lines_.size(), std::move(heading));
    if (firstKey) insertLine(lines_.size(), *firstKey);
    return EditStatus::Done;
}

EditStatus ProfileDocument::removeKey(const std::u16string& section, const std::u16string& key) {
    const std::vector<SectionRange> sections = sectionsNamed(section);
    if (sections.empty()) return EditStatus::Done;
    for (std::size_t i = sections.front().end; i > sections.front().heading + 1; --i) {
        const LineParts parts = lineParts(lines_[i - 1].text);
        if (parts.kind == LineKind::Key && sameName(nameOf(lines_[i - 1].text, parts), key)) {
            eraseLines(i - 1, i);
        }
    }
    return EditStatus::Done;
}

EditStatus ProfileDocument::removeSection(const std::u16string& section) {
    const std::vector<SectionRange> sections = sectionsNamed(section);
    // From the last, so that the earlier ranges stay where they are.
    for (auto range = sections.rbegin(); range != sections.rend(); ++range) {
        std::size_t end = range->heading + 1;
        for (std::size_t i = end; i < range->end; ++i) {
            if (lineParts(lines_[i].text).kind == LineKind::Key) end = i + 1;
        }
        eraseLines(range->heading, end);
    }
    return EditStatus::Done;
}

bool ProfileDocument::newLine(const std::u16string& text, const std::u16string& section,
                              ProfileLine& line) const {
    line.text = text;
    line.bytes.clear();
    if (encoding_ == DocumentEncoding::Utf16) return true;
    return codec_->encode(text, section, line.bytes);
}

void ProfileDocument::insertLine(std::size_t at, ProfileLine line) {
    if (at == 0) {
        line.ending = usualEnding();
    } else if (lines_[at - 1].ending != LineEnding::None) {
        line.ending = lines_[at - 1].ending;
    } else if (at == lines_.size()) {
        // Only the last line goes without a line break, and the new one is now the last.
        lines_[at - 1].ending = usualEnding();
        line.ending = LineEnding::None;
    } else {
        line.ending = usualEnding();
    }
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(at), std::move(line));
}

void ProfileDocument::eraseLines(std::size_t from, std::size_t to) {
    const bool lastWithoutBreak =
        to == lines_.size() && to > from && lines_[to - 1].ending == LineEnding::None;
    lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(from),
                 lines_.begin() + static_cast<std::ptrdiff_t>(to));
    // The file still ends without a line break, as it did.
    if (lastWithoutBreak && from > 0) lines_[from - 1].ending = LineEnding::None;
}

LineEnding ProfileDocument::usualEnding() const {
    for (const ProfileLine& line : lines_) {
        if (line.ending != LineEnding::None) return line.ending;
    }
    return LineEnding::CrLf;
}
