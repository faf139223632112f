// A profile file (autorun.inf) kept as its author wrote it: every line with its own bytes
// and line break, in the file's own encoding. Values read as the profile reader reads them
// (profile_syntax.h), and edits change only the lines they must, so that writing gives
// back every byte the author did not change.
//
// Where the profile reader looks:
// - A section given twice is read from its first heading only; a key given twice in it is
//   read from its first line. Lines before the first heading belong to no section.
// - Names are given as the menu asks for them, without blanks around them.
//
// The edits:
// - setValue replaces the value within the line the reader uses and keeps the rest of the
//   line (the key's spelling, the blanks around '='). A missing key becomes a new line
//   after the last key line of the section (before the blank and comment lines that close
//   it, which usually introduce the next section); a missing section becomes a heading at
//   the end of the file, after a blank line unless the file already ends in one.
// - removeKey removes every line of the key in the section the reader uses, and
//   removeSection every section of that name (its heading up to its last key line; the
//   blank and comment lines that close it stay), so that neither reads any more.
// - A new line takes the line break of the line before it; a line added at the end of a
//   file whose last line has no line break is written without one, the old last line
//   taking the file's usual line break (the first the file has, else CR LF).
// - An edit either changes the document so that it reads as asked or, with the reason,
//   changes nothing.
#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "editor/document/ansi_codec.h"
#include "editor/document/profile_line.h"

// UTF-16 little-endian with its byte-order mark, or ANSI bytes in code pages.
enum class DocumentEncoding { Utf16, Ansi };

enum class EditStatus {
    Done,              // the document now reads as asked (it may already have)
    ValueNotStorable,  // the value holds a line break (CR or LF) or NUL
    NameNotStorable,   // the section or key name cannot be written so that it reads back
    NotInCodePage,     // ANSI files: the section's code page lacks a character to write
};

class ProfileDocument {
public:
    // The document of a file's bytes, any bytes: UTF-16 when they start with FF FE (the
    // only UTF-16 the profile reader reads as such), otherwise ANSI read through `codec`
    // (Latin-1 when null). Whether the bytes are a profile file at all is profileFileKind's
    // question (profile_file_kind.h); toBytes() gives back exactly these bytes until edited.
    static ProfileDocument fromBytes(const std::string& bytes,
                                     std::shared_ptr<const AnsiCodec> codec);

    // A UTF-16 document holding `text`: a new file, or one converted from UTF-8. A
    // byte-order mark at the start of `text` is dropped (the file is written with one).
    static ProfileDocument fromText(const std::u16string& text);

    // The file's bytes: the byte-order mark of UTF-16, then each line and its line break.
    std::string toBytes() const;

    DocumentEncoding encoding() const { return encoding_; }

    // Makes an ANSI document UTF-16: every line keeps its text, now written as UTF-16.
    void convertToUtf16();

    const std::vector<ProfileLine>& lines() const { return lines_; }

    // The index of the heading the reader uses for `section`, if the file has one.
    std::optional<std::size_t> sectionLine(const std::u16string& section) const;

    // The index of the line the reader takes `key` of `section` from, if there is one.
    std::optional<std::size_t> keyLine(const std::u16string& section,
                                       const std::u16string& key) const;

    // The value as the profile reader reads it; nothing when the key is missing.
    std::optional<std::u16string> value(const std::u16string& section,
                                        const std::u16string& key) const;

    EditStatus setValue(const std::u16string& section, const std::u16string& key,
                        const std::u16string& value);
    // Adds an empty section at the end of the file unless it has one of that name.
    EditStatus addSection(const std::u16string& section);
    EditStatus removeKey(const std::u16string& section, const std::u16string& key);
    EditStatus removeSection(const std::u16string& section);

private:
    // One section's lines: its heading, and the index after its last line.
    struct SectionRange {
        std::size_t heading;
        std::size_t end;
    };

    // Every section named `name`, in file order.
    std::vector<SectionRange> sectionsNamed(const std::u16string& name) const;
    // The name of the last section heading before line `index`; empty when none.
    std::u16string sectionBefore(std::size_t index) const;
    // A new line of `text` for `section`, encoded there for ANSI files; false when the
    // section's code page lacks a character of it.
    bool newLine(const std::u16string& text, const std::u16string& section,
                 ProfileLine& line) const;
    EditStatus replaceValue(std::size_t index, const std::u16string& value);
    EditStatus appendSection(const std::u16string& section, const ProfileLine* firstKey);
    void insertLine(std::size_t at, ProfileLine line);
    void eraseLines(std::size_t from, std::size_t to);
    LineEnding usualEnding() const;

    DocumentEncoding encoding_ = DocumentEncoding::Utf16;
    std::shared_ptr<const AnsiCodec> codec_;
    std::vector<ProfileLine> lines_;
    // UTF-16 files of an odd length: the last byte, written back after the last line.
    std::string oddByte_;
};
