// A temporary medium: an empty folder reached through a drive letter of its own, so that
// a program on it sees a drive root (such as Q:\) as the root of its medium. The folder,
// with all it holds, and the drive letter go with the object.
#pragma once

#include <memory>
#include <string>

class TempFolder;

class MediumDrive {
public:
    MediumDrive();
    ~MediumDrive();
    MediumDrive(const MediumDrive&) = delete;
    MediumDrive& operator=(const MediumDrive&) = delete;

    // The drive's root, such as "Q:\"; empty when no free drive letter could be mapped.
    const std::string& root() const { return root_; }

    // Writes `content` byte for byte into the file `name` (relative to the root, folders
    // made as needed); returns its full path on the drive.
    std::string write(const std::string& name, const std::string& content) const;

    // Makes the folder `name` (relative to the root) and the folders above it.
    void makeFolder(const std::string& name) const;

private:
    std::string root_;
    std::string wineFolder_;                   // under Wine: the folder that is the drive
    std::unique_ptr<TempFolder> substFolder_;  // on Windows: the folder mapped to the drive
};
