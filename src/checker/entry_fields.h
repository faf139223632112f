// An entry line of a language section as its author wrote it, field by field, and what to
// write instead where the menu would do nothing with it.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

// The fields of an entry line as written, cut by the menu's own cutter (cutEntryLine): up to
// five, then the rest (the close flag, with any further bars).
std::vector<std::string> entryFields(const std::string& line);

// True for a command written as a web address without its scheme ("www.example.org"),
// which the shell takes for the name of a file on the medium.
bool isWebAddressWithoutScheme(const std::string& command);

// The host of a web address that names one of the domains kept for examples (example.com,
// .net, .org and any name under them or under .example), such as the sample's link; empty
// for any other command. Such an address is a placeholder the author has not replaced yet.
std::string exampleHost(const std::string& command);

// For an entry with a caption, no command and no close flag: its line with the close flag
// 1 in the sixth field, so that it closes the menu. A 1 one bar short, in the error text's
// place, moves on to the sixth field; other fields stay as written.
std::string lineThatCloses(const std::vector<std::string>& fields);
