// The menu file as the preview hands it to the menu's readers: one temporary file of the
// preview's own, holding the bytes the systems of one code page read.
#pragma once

#include <string>

// Bytes that the profile reader, here, reads as it reads `fileBytes` on systems of ANSI
// code page `codePage`. A UTF-16 file with the little-endian mark is converted to the code
// page, "?" for each character it lacks. Windows reads a file with the UTF-8 or the
// big-endian UTF-16 mark as ANSI text with the mark in its first line, where other readers
// would honour the mark: a blank in front keeps that line as Windows reads it. Anything
// else reads as it is.
std::string bytesAsReadOn(const std::string& fileBytes, unsigned codePage);

// A file in the temporary folder, made on the first write and removed with the object.
class PreviewFile {
public:
    PreviewFile() = default;
    ~PreviewFile();
    PreviewFile(const PreviewFile&) = delete;
    PreviewFile& operator=(const PreviewFile&) = delete;

    // Replaces the file's content with `bytes`. False when the file cannot be made or
    // written, or its path has no ANSI form shorter than a menu file path.
    bool write(const std::string& bytes);

    // The path as the ANSI profile reader takes it; empty before a write succeeded.
    const std::string& readerPath() const { return readerPath_; }

private:
    bool make();

    std::wstring path_;
    std::string readerPath_;
};
