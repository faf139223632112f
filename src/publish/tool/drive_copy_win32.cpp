#include "publish/tool/drive_copy.h"

#include <windows.h>

#include "bytes/sha256.h"
#include "console/system_error.h"
#include "publish/disc_sizes.h"
#include "publish/tool/cancel.h"
#include "publish/tool/file_reading.h"
#include "publish/tool/tool_paths.h"

namespace {

constexpr std::uint64_t kFatFileLimit = 0xFFFFFFFFull;  // FAT32 records sizes in 32 bits

bool exists(const std::wstring& path, DWORD* attributes = nullptr) {
    const DWORD found = GetFileAttributesW(longPath(path).c_str());
    if (attributes != nullptr) *attributes = found;
    return found != INVALID_FILE_ATTRIBUTES;
}

// The entries of `folder` an author put there: the system's own hidden folders ("System
// Volume Information", the recycle bin) do not count.
std::vector<std::wstring> authorEntries(const std::wstring& folder) {
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW(longPath(joinedPath(folder, L"*")).c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
        const std::wstring name = found.cFileName;
        if (name == L"." || name == L"..") continue;
        const DWORD systemHidden = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
        if ((found.dwFileAttributes & systemHidden) == systemHidden) continue;
        names.push_back(name);
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return names;
}

FILETIME fileTimeOf(std::int64_t seconds) {
    const std::uint64_t ticks = static_cast<std::uint64_t>(seconds + 11644473600LL) * 10000000ull;
    FILETIME time;
    time.dwLowDateTime = static_cast<DWORD>(ticks);
    time.dwHighDateTime = static_cast<DWORD>(ticks >> 32);
    return time;
}

class Copier {
public:
    Copier(const std::wstring& target, CopyReport& report) : target_(target), report_(report) {}

    // Folders of `target_` that do not exist yet, made from the outermost down.
    bool makeTarget() {
        std::vector<std::wstring> missing;
        for (std::wstring path = target_; !path.empty() && !exists(path); path = parentOf(path)) {
            missing.push_back(path);
            if (parentOf(path) == path) break;
        }
        for (auto it = missing.rbegin(); it != missing.rend(); ++it) {
            if (!makeFolder(*it)) return false;
        }
        return true;
    }

    bool copyFolder(const ImageEntry& folder, const std::wstring& into,
                    const std::wstring& relative) {
        for (const ImageEntry& child : folder.children) {
            if (cancelled()) return fail("cancelled");
            const std::wstring name = wideOf(child.name);
            const std::wstring path = joinedPath(into, name);
            const std::wstring shown = relative.empty() ? name : relative + L"\\" + name;
            if (child.folder) {
                if (!exists(path) && !makeFolder(path)) return false;
                if (!copyFolder(child, path, shown)) return false;
                if (child.hidden) SetFileAttributesW(longPath(path).c_str(), FILE_ATTRIBUTE_HIDDEN);
            } else if (!copyFile(child, path, shown)) {
                return false;
            }
        }
        return true;
    }

    // Removes what this run wrote, files first, then its folders from the innermost out.
    void undo() {
        for (auto it = writtenFiles_.rbegin(); it != writtenFiles_.rend(); ++it) {
            SetFileAttributesW(longPath(*it).c_str(), FILE_ATTRIBUTE_NORMAL);
            DeleteFileW(longPath(*it).c_str());
        }
        for (auto it = madeFolders_.rbegin(); it != madeFolders_.rend(); ++it) {
            SetFileAttributesW(longPath(*it).c_str(), FILE_ATTRIBUTE_NORMAL);
            RemoveDirectoryW(longPath(*it).c_str());
        }
    }

private:
    bool fail(const std::string& problem) {
        if (report_.problem.empty()) report_.problem = problem;
        return false;
    }

    bool makeFolder(const std::wstring& path) {
        if (!CreateDirectoryW(longPath(path).c_str(), nullptr)) {
            return fail(utf8Of(path) + " cannot be made: " + systemErrorText(GetLastError()));
        }
        madeFolders_.push_back(path);
        return true;
    }

    bool copyFile(const ImageEntry& file, const std::wstring& path, const std::wstring& shown) {
        // CREATE_NEW: a file already there is never replaced.
        HANDLE out = CreateFileW(longPath(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                 FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
        if (out == INVALID_HANDLE_VALUE) {
            return fail(utf8Of(path) + " cannot be made: " + systemErrorText(GetLastError()));
        }
        writtenFiles_.push_back(path);
        Sha256 sha;
        std::uint64_t delivered = 0;
        DWORD writeError = 0;
        std::string readProblem;
        const bool read = reader_(
            file,
            [&](const std::uint8_t* bytes, std::size_t size) {
                if (cancelled()) return false;
                delivered += size;
                if (delivered > file.size) return false;
                sha.add(bytes, size);
                DWORD written = 0;
                if (!WriteFile(out, bytes, static_cast<DWORD>(size), &written, nullptr) ||
                    written != size) {
                    writeError = GetLastError();
                    return false;
                }
                addWrittenBytes(size);
                return true;
            },
            readProblem);
        const FILETIME time = fileTimeOf(file.time);
        bool ok = read && delivered == file.size;
        if (ok) SetFileTime(out, nullptr, nullptr, &time);
        if (ok && !FlushFileBuffers(out)) writeError = GetLastError(), ok = false;
        CloseHandle(out);
        if (cancelled()) return fail("cancelled");
        if (writeError != 0) {
            return fail(utf8Of(path) + " cannot be written: " + systemErrorText(writeError));
        }
        if (!read) return fail(utf8Of(shown) + ": " + readProblem);
        if (!ok) return fail(utf8Of(shown) + ": the file changed while it was copied");

        Bytes copied;
        std::string verifyProblem;
        if (!fileDigest(path, true, copied, verifyProblem)) {
            return fail(utf8Of(path) + ": " + verifyProblem);
        }
        if (copied != sha.finish()) {
            return fail(utf8Of(path) + " does not read back as written (SHA-256 differs)");
        }
        if (file.hidden) SetFileAttributesW(longPath(path).c_str(), FILE_ATTRIBUTE_HIDDEN);
        ++report_.files;
        report_.bytes += file.size;
        return true;
    }

    std::wstring target_;
    CopyReport& report_;
    FileReader reader_ = mediumFileReader();
    std::vector<std::wstring> writtenFiles_;
    std::vector<std::wstring> madeFolders_;
};

// Paths of `tree` that are already taken below `target`.
void findTaken(const ImageEntry& folder, const std::wstring& into, const std::wstring& relative,
               std::vector<ImageRefusal>& refusals) {
    for (const ImageEntry& child : folder.children) {
        const std::wstring name = wideOf(child.name);
        const std::wstring path = joinedPath(into, name);
        const std::wstring shown = relative.empty() ? name : relative + L"\\" + name;
        DWORD attributes = 0;
        if (!exists(path, &attributes)) continue;
        const bool isFolder = (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        if (child.folder && isFolder) {
            findTaken(child, path, shown, refusals);
        } else {
            refusals.push_back({utf8Of(shown), "is already on the target; it is never replaced"});
        }
    }
}

void findTooLarge(const ImageEntry& folder, const std::wstring& relative,
                  std::vector<ImageRefusal>& refusals) {
    for (const ImageEntry& child : folder.children) {
        const std::wstring shown =
            relative.empty() ? wideOf(child.name) : relative + L"\\" + wideOf(child.name);
        if (child.folder) {
            findTooLarge(child, shown, refusals);
        } else if (child.size > kFatFileLimit) {
            refusals.push_back({utf8Of(shown), "has 4 GiB or more, which FAT32 cannot hold"});
        }
    }
}

std::uint64_t bytesOf(const ImageEntry& folder) {
    std::uint64_t bytes = 0;
    for (const ImageEntry& child : folder.children)
        bytes += child.folder ? bytesOf(child) : child.size;
    return bytes;
}

// Sets the label of the drive whose root is `root`, cut to what its file system holds.
void setDriveLabel(const std::wstring& root, const std::wstring& fileSystem,
                   const std::u16string& wanted, CopyReport& report) {
    const bool fat = fileSystem.rfind(L"FAT", 0) == 0 || fileSystem == L"exFAT";
    const std::size_t limit = fat ? 11 : 32;
    std::wstring label = wideOf(wanted);
    if (label.size() > limit) {
        label.resize(limit);
        report.notes.push_back(utf8Of(fileSystem) + " labels hold " + std::to_string(limit) +
                               " characters: the label is \"" + utf8Of(label) + "\"");
    }
    if (SetVolumeLabelW(root.c_str(), label.c_str())) {
        report.notes.push_back("the drive's label is now \"" + utf8Of(label) + "\"");
    } else {
        report.notes.push_back("warning: the drive's label could not be set: " +
                               systemErrorText(GetLastError()));
    }
}

}  // namespace

CopyReport copyMedium(const ImageEntry& tree, const std::wstring& target, bool allowNonEmpty,
                      const std::u16string& label) {
    CopyReport report;
    DWORD attributes = 0;
    const bool targetExists = exists(target, &attributes);
    if (targetExists && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
        report.outcome = CopyReport::Outcome::refused;
        report.refusals.push_back({utf8Of(target), "is a file, not a drive or folder"});
        return report;
    }
    if (targetExists) {
        const std::vector<std::wstring> entries = authorEntries(target);
        if (!entries.empty() && !allowNonEmpty) {
            report.outcome = CopyReport::Outcome::refused;
            report.refusals.push_back(
                {utf8Of(target), "already holds " + std::to_string(entries.size()) +
                                     " files or folders (\"" + utf8Of(entries.front()) +
                                     "\", ...); give --allow-nonempty to copy beside them"});
            return report;
        }
        findTaken(tree, target, L"", report.refusals);
    }

    // The file system of the target's drive: FAT32 holds no file of 4 GiB.
    wchar_t root[MAX_PATH + 1] = {};
    wchar_t fileSystem[MAX_PATH + 1] = {};
    const std::wstring probe = targetExists ? target : parentOf(target);
    const bool haveRoot = GetVolumePathNameW(probe.c_str(), root, MAX_PATH + 1) != 0;
    if (haveRoot && GetVolumeInformationW(root, nullptr, 0, nullptr, nullptr, nullptr, fileSystem,
                                          MAX_PATH + 1)) {
        const std::wstring name = fileSystem;
        if (name.rfind(L"FAT", 0) == 0) {
            const std::size_t before = report.refusals.size();
            findTooLarge(tree, L"", report.refusals);
            if (report.refusals.size() > before) {
                report.notes.push_back("warning: " + utf8Of(root) + " is " + utf8Of(name) +
                                       ", which holds no file of 4 GiB or more; NTFS or exFAT "
                                       "do");
            }
        }
    }
    if (!report.refusals.empty()) {
        report.outcome = CopyReport::Outcome::refused;
        return report;
    }
    ULARGE_INTEGER available;
    if (haveRoot && GetDiskFreeSpaceExW(root, &available, nullptr, nullptr) &&
        available.QuadPart < bytesOf(tree)) {
        report.problem = utf8Of(root) + " has " + groupedNumber(available.QuadPart) +
                         " bytes free; the medium needs " + groupedNumber(bytesOf(tree));
        return report;
    }

    Copier copier(target, report);
    if (!copier.makeTarget() || !copier.copyFolder(tree, target, L"")) {
        copier.undo();
        report.outcome = CopyReport::Outcome::failed;
        report.files = report.bytes = 0;
        return report;
    }
    report.outcome = CopyReport::Outcome::copied;

    const bool atRoot = haveRoot && liesWithin(root, target) && liesWithin(target, root);
    if (atRoot) {
        setDriveLabel(root, fileSystem, label, report);
    } else {
        report.notes.push_back("no drive label set: " + utf8Of(target) +
                               " is a folder, not a drive's root");
    }
    return report;
}
