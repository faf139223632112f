#include "editor/document/profile_document.h"

#include "editor/document/latin1_codec.h"
#include "editor/document/line_split.h"
#include "editor/document/profile_syntax.h"

namespace {

const char kUtf16Mark[] = "\xFF\xFE";
const char16_t kByteOrderMark = 0xFEFF;

void appendUtf16(std::string& bytes, const std::u16string& text) {
    for (const char16_t unit : text) {
        bytes += static_cast<char>(unit & 0xFF);
        bytes += static_cast<char>(unit >> 8);
    }
}

std::vector<ProfileLine> utf16Lines(const std::u16string& text) {
    std::vector<ProfileLine> lines;
    for (const LinePiece& piece : splitLines(text)) {
        ProfileLine line;
        line.text = text.substr(piece.start, piece.length);
        line.ending = piece.ending;
        lines.push_back(std::move(line));
    }
    return lines;
}

}  // namespace

const char* lineEndingText(LineEnding ending) {
    switch (ending) {
        case LineEnding::CrLf:
            return "\r\n";
        case LineEnding::Lf:
            return "\n";
        case LineEnding::Cr:
            return "\r";
        case LineEnding::None:
            break;
    }
    return "";
}

ProfileDocument ProfileDocument::fromBytes(const std::string& bytes,
                                           std::shared_ptr<const AnsiCodec> codec) {
    if (bytes.compare(0, 2, kUtf16Mark) == 0) {
        std::u16string text;
        std::size_t i = 2;
        for (; i + 1 < bytes.size(); i += 2) {
            text += static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                          static_cast<unsigned char>(bytes[i + 1]) << 8);
        }
        ProfileDocument document;
        document.lines_ = utf16Lines(text);
        document.oddByte_ = bytes.substr(i);
        document.codec_ = std::move(codec);
        return document;
    }
    ProfileDocument document;
    document.encoding_ = DocumentEncoding::Ansi;
    document.codec_ = codec ? std::move(codec) : std::make_shared<Latin1Codec>();
    std::u16string section;
    for (const LinePiece& piece : splitLines(bytes)) {
        ProfileLine line;
        line.bytes = bytes.substr(piece.start, piece.length);
        line.text = document.codec_->decode(line.bytes, section);
        line.ending = piece.ending;
        const LineParts parts = lineParts(line.text);
        if (parts.kind == LineKind::Section) section = nameOf(line.text, parts);
        document.lines_.push_back(std::move(line));
    }
    return document;
}

ProfileDocument ProfileDocument::fromText(const std::u16string& text) {
    ProfileDocument document;
    // The mark is the file's, written once before the first line.
    const bool marked = !text.empty() && text[0] == kByteOrderMark;
    document.lines_ = utf16Lines(marked ? text.substr(1) : text);
    return document;
}

std::string ProfileDocument::toBytes() const {
    std::string bytes;
    if (encoding_ == DocumentEncoding::Utf16) bytes = kUtf16Mark;
    for (const ProfileLine& line : lines_) {
        const std::string ending = lineEndingText(line.ending);
        if (encoding_ == DocumentEncoding::Utf16) {
            appendUtf16(bytes, line.text);
            appendUtf16(bytes, std::u16string(ending.begin(), ending.end()));
        } else {
            bytes += line.bytes;
            bytes += ending;
        }
    }
    return bytes + oddByte_;
}

void ProfileDocument::convertToUtf16() {
    encoding_ = DocumentEncoding::Utf16;
    for (ProfileLine& line : lines_) line.bytes.clear();
}

std::vector<ProfileDocument::SectionRange> ProfileDocument::sectionsNamed(
    const std::u16string& name) const {
    std::vector<SectionRange> sections;
    bool inside = false;
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        const LineParts parts = lineParts(lines_[i].text);
        if (parts.kind != LineKind::Section) continue;
        if (inside) sections.back().end = i;
        inside = sameName(nameOf(lines_[i].text, parts), name);
        if (inside) sections.push_back({i, lines_.size()});
    }
    return sections;
}

std::u16string ProfileDocument::sectionBefore(std::size_t index) const {
    while (index > 0) {
        --index;
        const LineParts parts = lineParts(lines_[index].text);
        if (parts.kind == LineKind::Section) return nameOf(lines_[index].text, parts);
    }
    return {};
}

std::optional<std::size_t> ProfileDocument::sectionLine(const std::u16string& section) const {
    const std::vector<SectionRange> sections = sectionsNamed(section);
    if (sections.empty()) return std::nullopt;
    return sections.front().heading;
}

std::optional<std::size_t> ProfileDocument::keyLine(const std::u16string& section,
                                                    const std::u16string& key) const {
    const std::vector<SectionRange> sections = sectionsNamed(section);
    if (sections.empty()) return std::nullopt;
    for (std::size_t i = sections.front().heading + 1; i < sections.front().end; ++i) {
        const LineParts parts = lineParts(lines_[i].text);
        if (parts.kind == LineKind::Key && sameName(nameOf(lines_[i].text, parts), key)) return i;
    }
    return std::nullopt;
}

std::optional<std::u16string> ProfileDocument::value(const std::u16string& section,
                                                     const std::u16string& key) const {
    const std::optional<std::size_t> line = keyLine(section, key);
    if (!line) return std::nullopt;
    return valueOf(lines_[*line].text, lineParts(lines_[*line].text));
}
