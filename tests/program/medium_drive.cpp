#include "medium_drive.h"

#include <windows.h>

#include <cstdlib>

#include "test_files.h"

namespace {

// The letters tried, from the end of the alphabet where removable and network drives
// are rare.
const char kLetters[] = "QRSTUVWXYP";

bool runningUnderWine() {
    return GetProcAddress(GetModuleHandleA("ntdll.dll"), "wine_get_version") != nullptr;
}

// Under Wine a drive letter is an entry "<letter>:" in the prefix's "dosdevices" folder,
// and a plain folder of that name serves as well as the usual link. The folder is made
// through Wine's "\\?\unix\" paths; the prefix is found from where Wine keeps drive C:.
// Returns the Windows path of the "dosdevices" folder, with a trailing backslash.
std::string wineDriveFolder() {
    using UnixFileName = char*(__cdecl*)(const wchar_t*);
    auto unixFileName = reinterpret_cast<UnixFileName>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
    if (unixFileName == nullptr) return {};
    char* drive = unixFileName(L"C:\\");  // "<prefix>/dosdevices/c:/"
    if (drive == nullptr) return {};
    std::string path = drive;
    HeapFree(GetProcessHeap(), 0, drive);
    const std::size_t driveName = path.rfind("/c:");
    if (driveName == std::string::npos) return {};
    path = "\\\\?\\unix" + path.substr(0, driveName + 1);
    for (char& c : path) {
        if (c == '/') c = '\\';
    }
    return path;
}

// Every drive folder made here names the test process that made it, so that one left
// behind by a test that was killed can be told from drive folders of anyone else.
const char kOwnerFile[] = "autorun-menu-test-drive.txt";

void writeOwner(const std::string& folder) {
    const std::string owner = std::to_string(GetCurrentProcessId());
    HANDLE file = CreateFileA((folder + kOwnerFile).c_str(), GENERIC_WRITE, 0, nullptr,
                              CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return;
    DWORD written = 0;
    WriteFile(file, owner.data(), static_cast<DWORD>(owner.size()), &written, nullptr);
    CloseHandle(file);
}

// True for a drive folder made here by a test process that has ended.
bool leftByEndedTest(const std::string& folder) {
    HANDLE file = CreateFileA((folder + kOwnerFile).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    char text[16] = {};
    DWORD read = 0;
    ReadFile(file, text, sizeof text - 1, &read, nullptr);
    CloseHandle(file);
    const DWORD owner = std::strtoul(text, nullptr, 10);
    if (owner == 0 || owner == GetCurrentProcessId()) return false;
    HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, owner);
    if (process == nullptr) return true;
    const bool ended = WaitForSingleObject(process, 0) == WAIT_OBJECT_0;
    CloseHandle(process);
    return ended;
}

}  // namespace

MediumDrive::MediumDrive() {
    if (runningUnderWine()) {
        const std::string drives = wineDriveFolder();
        if (drives.empty()) return;
        for (const char* letter = kLetters; *letter != '\0'; ++letter) {
            const std::string folder = drives + static_cast<char>(*letter - 'A' + 'a') + ":";
            // Making the folder claims the letter; a letter in use already exists.
            if (!CreateDirectoryA(folder.c_str(), nullptr)) {
                if (!leftByEndedTest(folder + "\\")) continue;
                removeTree(folder + "\\");
                if (!CreateDirectoryA(folder.c_str(), nullptr)) continue;
            }
            wineFolder_ = folder + "\\";
            root_ = std::string(1, *letter) + ":\\";
            writeOwner(wineFolder_);
            return;
        }
        return;
    }
    // On Windows, a substituted drive, as "subst" makes.
    substFolder_ = std::make_unique<TempFolder>();
    const DWORD used = GetLogicalDrives();
    for (const char* letter = kLetters; *letter != '\0'; ++letter) {
        if (used & (1u << (*letter - 'A'))) continue;
        const std::string device = std::string(1, *letter) + ":";
        if (DefineDosDeviceA(0, device.c_str(), substFolder_->path().c_str())) {
            root_ = device + "\\";
            return;
        }
    }
}

MediumDrive::~MediumDrive() {
    if (root_.empty()) return;
    if (!wineFolder_.empty()) {
        removeTree(wineFolder_);
        return;
    }
    const std::string device = root_.substr(0, 2);
    DefineDosDeviceA(DDD_REMOVE_DEFINITION | DDD_EXACT_MATCH_ON_REMOVE, device.c_str(),
                     substFolder_->path().c_str());
}

void MediumDrive::makeFolder(const std::string& name) const {
    for (std::size_t end = name.find('\\');; end = name.find('\\', end + 1)) {
        CreateDirectoryA((root_ + name.substr(0, end)).c_str(), nullptr);
        if (end == std::string::npos) return;
    }
}

std::string MediumDrive::write(const std::string& name, const std::string& content) const {
    const std::size_t folderEnd = name.rfind('\\');
    if (folderEnd != std::string::npos) makeFolder(name.substr(0, folderEnd));
    const std::string full = root_ + name;
    writeWholeFile(full, content);
    return full;
}
