// A folder of the editor's own in the temporary folder, for checking its unsaved text: the
// text as a file named autorun.inf, as the checker expects a menu file, and a temporary
// folder for the check's process. A check ended early leaves its own temporary copies
// behind; emptyTemp() removes them, and the folder goes with this object.
#pragma once

#include <string>

class CheckFolder {
public:
    CheckFolder() = default;
    ~CheckFolder();
    CheckFolder(const CheckFolder&) = delete;
    CheckFolder& operator=(const CheckFolder&) = delete;

    // Makes the folder and the check's temporary folder in it, unless made before. False,
    // with why (UTF-8), when they cannot be made.
    bool make(std::string& failure);

    // Writes `bytes` as the menu file, making the folder first if need be. False, with why
    // (UTF-8), when the folder or the file cannot be written.
    bool writeMenuFile(const std::string& bytes, std::string& failure);

    // The folder (ending in a backslash), the menu file in it and the check's temporary
    // folder, in characters of the ANSI code page where the system can make them so; empty
    // before make().
    const std::wstring& folder() const { return folder_; }
    const std::wstring& menuFile() const { return menuFile_; }
    const std::wstring& tempFolder() const { return temp_; }

    // Removes whatever the check's process left in its temporary folder.
    void emptyTemp() const;

private:
    std::wstring folder_;
    std::wstring menuFile_;
    std::wstring temp_;
};
