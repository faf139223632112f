// Menu files on disk for tests that read them through the platform.
#pragma once

#include <string>

// A new, empty folder under the system's temporary folder, removed with all it holds when
// the object goes.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    // The folder's full path, ending in a backslash.
    const std::string& path() const { return path_; }

    // Writes `content` byte for byte into the file `name` of the folder; returns its path.
    std::string write(const std::string& name, const std::string& content) const;

private:
    std::string path_;
};

// Writes `content` byte for byte into the file at `path`, replacing what is there.
void writeWholeFile(const std::string& path, const std::string& content);

// The whole content of a file; empty when it cannot be read.
std::string readWholeFile(const std::string& path);

// Removes `folder` (ending in a backslash) with everything in it, read-only files included.
void removeTree(const std::string& folder);

// Puts every field of launcherState back to its value at process start.
void resetLauncherState();

// Resets the state, writes `content` as a new menu file into `folder` and points
// launcherState.menuFilePath at it.
void useMenuFile(const TempFolder& folder, const std::string& content);
