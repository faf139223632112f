// Paths of files on the medium as the menu file writes them: relative to the medium's root.
#pragma once

#include <optional>
#include <string>

// `path` (a full path) relative to `root` (a full folder path, with or without its final
// separator), with backslashes; nothing when `path` does not lie inside `root`. Letter case
// does not count for ASCII letters, and '/' is a separator too, as on Windows.
std::optional<std::u16string> relativeToRoot(const std::u16string& path,
                                             const std::u16string& root);
