// The menu file as the systems of each ANSI code page read it. The profile reader hands
// the menu an ANSI file's bytes as they are, and converts a UTF-16 file (one with the
// little-endian byte-order mark) to the system's code page, where a character the code page
// lacks comes out as "?". The checker reads a UTF-16 file through a copy converted to the
// code page in question, so the menu's own reading code sees exactly those bytes.
#pragma once

#include <map>
#include <string>
#include <vector>

// The text of a UTF-16 file (byte-order mark removed, either byte order) in UTF-8.
std::string utf8FromUtf16File(const std::string& bytes);

// The bytes the profile reader hands from UTF-16 file `bytes` (either byte order, mark
// removed) to systems of ANSI code page `codePage`: each character the code page lacks as
// "?".
std::string utf16FileInCodePage(const std::string& bytes, unsigned codePage);

// The characters of `text` (UTF-8) that code page `codePage` cannot hold, each once, in
// the order they first appear, as UTF-8 texts.
std::vector<std::string> charactersOutside(const std::string& text, unsigned codePage);

class MenuFileViews {
public:
    // `path` is the menu file, `bytes` its content.
    MenuFileViews(const std::string& path, const std::string& bytes);
    ~MenuFileViews();
    MenuFileViews(const MenuFileViews&) = delete;
    MenuFileViews& operator=(const MenuFileViews&) = delete;

    // True for UTF-16 that Windows reads as such: little-endian, with its mark.
    bool utf16() const { return utf16_; }
    const std::string& menuFile() const { return path_; }

    // The file that reads, through the profile reader, the way the menu file itself reads to
    // the menu: the menu file, or the copy readThroughCopy made.
    const std::string& readingFile() const { return reading_; }

    // Makes readingFile() a copy of the menu file's bytes under another name in the
    // temporary folder (removed with this object), without the first two bytes when
    // `withoutMark`. False, reading the menu file still, when the copy cannot be written.
    bool readThroughCopy(bool withoutMark);

    // The file that reads, through the profile reader, the way the menu file reads on a
    // system with ANSI code page `codePage`: readingFile() when the file is not UTF-16, else
    // a converted copy in the temporary folder (removed with this object). Empty when the
    // copy cannot be written.
    std::string fileFor(unsigned codePage);

private:
    std::string path_;
    std::string bytes_;
    std::string reading_;
    std::wstring wide_;
    bool utf16_;
    std::map<unsigned, std::string> copies_;
};
