// The section [autorun], which Windows reads to offer a program when the medium is
// inserted: whether it names a program on the medium (preferably the menu), an icon that
// exists, and texts Windows takes.
#pragma once

#include <cstddef>
#include <string>

class Report;

constexpr char kAutorunSectionName[] = "autorun";
// The keys of [autorun] with which Windows offers the menu: the program, its icon, the label.
constexpr char kOpenKey[] = "open";
constexpr char kIconKey[] = "icon";
constexpr char kLabelKey[] = "label";
inline constexpr const char* kAutorunKeys[] = {kOpenKey, kIconKey, kLabelKey};
// The longest label Windows shows; it cuts the rest.
constexpr std::size_t kLongestLabel = 32;

// `root` is the folder of the menu file (ending in a separator), where Windows looks;
// `menuProgram` the menu program found there, or empty. `present` tells whether the file
// has the section at all.
void checkAutorunSection(bool present, const std::string& root, const std::string& menuProgram,
                         Report& report);
