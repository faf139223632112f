// Opening and saving the menu file. Opening tells the file's kind before anything reads it,
// so that no encoding is ever guessed; saving writes a new file beside the old one, reads it
// back through the platform's profile reader, and only then gives it the file's name, so
// that the file on disk is always either the old one or one that reads as the editor says.
#pragma once

#include <string>
#include <vector>

#include "editor/document/profile_document.h"
#include "editor/file/menu_values.h"

// What was on disk when the file was opened or saved.
struct FileStamp {
    std::string bytes;
};

enum class OpenStatus {
    Opened,      // UTF-16 or ANSI: the document holds the file as it is
    Utf8,        // UTF-8, which Windows misreads: the document holds it converted to UTF-16,
                 // to be used once the author accepts the conversion
    Refused,     // no menu file the editor can open (message says why)
    CannotRead,  // missing, a folder, locked by another program, unreadable (message says why)
};

struct OpenResult {
    OpenStatus status = OpenStatus::CannotRead;
    ProfileDocument document;
    FileStamp stamp;
    // Why, for every status but Opened; for Utf8 what converting means.
    std::wstring message;
};

// Reads the file at `path`: ANSI documents read each section in its systems' code page
// (windowsAnsiCodec).
OpenResult openMenuFile(const std::wstring& path);

// True when the file at `path` no longer holds the bytes of `stamp`: another program changed
// or removed it. False when it cannot be read to tell (locked) and its size is the same.
bool changedOnDisk(const std::wstring& path, const FileStamp& stamp);

enum class SaveStatus {
    Saved,           // the file holds the document's bytes
    ChangedOnDisk,   // another program changed the file since `openedAs`: nothing written
    ReadBackFailed,  // the written file did not read as set: nothing written (message names
                     // each "[section] key")
    CannotWrite,     // the system refused (message says why): the file is as it was
};

struct SaveResult {
    SaveStatus status = SaveStatus::CannotWrite;
    // Saved: what is now on disk, for the next save's `openedAs`.
    FileStamp stamp;
    std::wstring message;
};

// Writes `document` as the file at `path`. `openedAs` is what the editor opened or last
// saved there; null for a new file or to overwrite whatever is there. Every value of
// `readBack` (valuesOf the document, usually) must read back through the profile reader the
// menu uses exactly as given, or nothing is written. Unless Saved, the file keeps its bytes
// and no file is left beside it (for one exception the message names: the system took the
// old file away but could not put the new one in its place, which it leaves under its
// temporary name). The caller keeps the document, so the edits stay in the editor.
SaveResult saveMenuFile(const std::wstring& path, const ProfileDocument& document,
                        const FileStamp* openedAs, const std::vector<ValueCheck>& readBack);
