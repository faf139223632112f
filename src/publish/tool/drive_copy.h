// The medium copied to a drive or folder: every file written, then read back and compared by
// SHA-256 with what was read from the medium. A target that holds files already is refused
// unless the author agrees, and even then no file there is replaced. Only what this run
// wrote is ever removed: on failure or cancel it removes its own files and folders again.
#pragma once

#include <string>
#include <vector>

#include "publish/image_plan.h"
#include "publish/image_tree.h"

struct CopyReport {
    enum class Outcome { copied, refused, failed } outcome = Outcome::failed;
    std::vector<ImageRefusal> refusals;  // for refused: each thing in the way
    std::vector<std::string> notes;      // warnings and what was done about the label
    std::string problem;                 // for failed: what went wrong
    std::uint64_t files = 0, bytes = 0;  // for copied: what was written and verified
};

// Copies `tree` (read by readMediumTree) into the full path `target`, creating it when
// missing, and sets the drive's label to `label` when `target` is a drive's root.
CopyReport copyMedium(const ImageEntry& tree, const std::wstring& target, bool allowNonEmpty,
                      const std::u16string& label);
