// The names an image gives its files and folders, and the limits they must keep.
//
// Windows reads the Joliet tree: there each name is the author's, in UCS-2, at most 64
// characters, without the characters Joliet forbids (control characters, * / : ; ? \) or
// those Windows cannot open (" < > |). Readers without Joliet see the ISO 9660 tree, whose
// names are made here: upper-case d-characters (A-Z, 0-9, _), 8 characters and a 3-character
// extension for a file, 8 for a folder, unique within their folder.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

// The longest Joliet name, in UCS-2 characters.
constexpr std::size_t kJolietNameLimit = 64;

// What is wrong with `name` as a Joliet name, in words ("is longer than 64 characters");
// empty when it is a name the image can hold as given.
std::string jolietNameProblem(const std::u16string& name);

// `c` as Windows compares names on a disc, letter case aside: the upper-case form of Latin,
// Greek and Cyrillic letters, other characters as they are.
char16_t foldedCase(char16_t c);
std::u16string foldedCase(const std::u16string& name);

// ISO 9660 names for the entries of one folder, in the order given: `names` are their
// Joliet names, `isFolder` says which are folders. A file gets "NAME.EXT" (the version ";1"
// is added when it is recorded), a folder "NAME". Every result is unique in the folder;
// where the plain form is taken, its end becomes "_1", "_2", ... Deterministic: the same
// input gives the same names.
std::vector<std::string> isoNamesForFolder(const std::vector<std::u16string>& names,
                                           const std::vector<bool>& isFolder);

// A volume label as both trees record it, and what it lost on the way.
struct VolumeLabel {
    std::string iso;                  // upper-case d-characters, at most 32
    std::u16string joliet;            // case kept, at most 16 characters
    std::vector<std::string> losses;  // one sentence each, empty when nothing was lost
};

// The label `wanted` (UTF-16) made fit for both trees. An empty label becomes "CDROM".
VolumeLabel volumeLabel(const std::u16string& wanted);
