// The publish tool's command line, read without the platform:
//   autorun-menu-publish MEDIUM OUT.iso [--label L] [--time T] [--force]
//   autorun-menu-publish MEDIUM --to DRIVE-OR-FOLDER [--label L] [--force] [--allow-nonempty]
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct PublishOptions {
    std::u16string medium;  // the medium's folder
    std::u16string image;   // the image to write; empty with --to
    std::u16string target;  // --to: the drive or folder to copy to
    std::u16string label;   // --label; empty: from the medium
    bool labelGiven = false;
    bool timeGiven = false;  // --time; otherwise SOURCE_DATE_EPOCH or the files' own times
    std::int64_t time = 0;
    bool force = false;          // publish although the checker found errors
    bool allowNonEmpty = false;  // --to a target that already holds files
    bool help = false;
    std::string problem;  // what is wrong with the command line; empty when nothing is
};

// Reads `arguments` (without the program's name).
PublishOptions readPublishOptions(const std::vector<std::u16string>& arguments);

// A time given as seconds since 1970-01-01 UTC ("1700000000") or as a UTC date and time
// ("2026-12-09", "2026-12-09T17:30", "2026-12-09T17:30:00Z"). False when `text` is neither.
bool readTime(const std::u16string& text, std::int64_t& seconds);
