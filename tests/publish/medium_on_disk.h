// Media for the image tests: a table of paths laid out in a temporary folder, the same
// tree as the image writer takes it, and the readers' side (xorriso, isoinfo) run on an
// image.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "publish/image_tree.h"
#include "publish/image_writer.h"

// One entry of a medium: a path below its root ("a/b/c.txt", UTF-8), a file of `size`
// bytes unless it ends in "/", hidden or not.
struct MediumItem {
    std::string path;
    std::uint64_t size = 0;
    bool hidden = false;
};

// A fresh temporary folder, removed with everything in it when the object goes.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    const std::string& path() const { return path_; }

private:
    std::string path_;
};

// Writes `items` below `root` (files filled with bytes that depend on their path and
// offset) and returns the tree of them, each file's source its path on disk, every time
// `time`.
ImageEntry layOutMedium(const std::string& root, const std::vector<MediumItem>& items,
                        std::int64_t time);

// Reads a file's bytes from the disk in pieces, as the publish tool does.
FileReader diskReader();

// Writes the image of `tree` to `imagePath`; the error's words on failure.
std::string writeImageFile(const ImagePlan& plan, const std::string& imagePath);

// Whether a program can be run from the PATH.
bool hasProgram(const std::string& name);

// Runs `command` in a shell; its standard output, and its exit code in `status`.
std::string runCommand(const std::string& command, int* status = nullptr);

// `text` quoted for the shell.
std::string shellQuoted(const std::string& text);

// The bytes of a whole file ("" when missing).
std::string fileBytes(const std::string& path);
