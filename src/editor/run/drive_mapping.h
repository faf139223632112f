// A folder reached through a drive letter of its own, as `subst` maps one, for as long as
// the object holds it. The mapping is the calling user's own (Windows keeps one set of
// drive letters for each logon), and it never replaces a drive or another mapping.
#pragma once

#include <windows.h>

#include <string>

class DriveMapping {
public:
    DriveMapping() = default;
    // Removes the mapping made here, if there is one.
    ~DriveMapping();
    DriveMapping(const DriveMapping&) = delete;
    DriveMapping& operator=(const DriveMapping&) = delete;

    // Maps `folder` (a full path ending in a backslash) to the first letter from Z: down
    // that no drive or mapping uses. False, with the reason for the author, when no letter
    // could be mapped; nothing is mapped then. An object that holds a mapping keeps it.
    bool map(const std::wstring& folder, std::wstring& error);

    // Removes the mapping, and only the one made here (another program may have mapped the
    // same letter over it meanwhile). True when it is gone, or there was none.
    bool remove();

    // The mapped letter, such as L'Q'; 0 when nothing is mapped.
    wchar_t letter() const { return device_[0]; }

    // The mapped drive's root, such as L"Q:\"; empty when nothing is mapped.
    std::wstring root() const;

private:
    wchar_t device_[3] = {};  // "Q:", as DefineDosDevice names a drive
    std::wstring target_;     // the mapping as Windows keeps it, matched exactly on removal
};
