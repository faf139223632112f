#include "brand/brand_menu.h"

#include <windows.h>

#include <vector>

#include "brand/brand_signing.h"
#include "brand/branded_program.h"
#include "brand/branded_resources.h"
#include "brand/file_bytes.h"
#include "brand/file_problem.h"
#include "brand/icon_file.h"
#include "brand/menu_program.h"
#include "brand/picture/decode_image.h"
#include "brand/picture/icon_image.h"
#include "brand/picture/menu_picture_file.h"
#include "brand/same_file.h"
#include "brand/system_text.h"
#include "console/full_path.h"

namespace {

// Messages are UTF-8; paths come in the system's code page.
std::string shown(const std::string& path) { return utf8FromSystemText(path); }

BrandResult refused(const std::string& reason) {
    BrandResult result;
    result.outcome = BrandOutcome::refused;
    result.reason = reason;
    return result;
}

// The icon images of `path`: an icon file as it is, or a square picture made into one.
bool readIcon(const std::string& path, std::vector<IconImage>& images, std::string& reason) {
    Bytes file;
    if (!readFileBytes(path, file)) {
        reason = "the icon " + unreadableFileText(path, GetLastError());
        return false;
    }
    const bool icoName = path.size() > 4 && lstrcmpiA(path.c_str() + path.size() - 4, ".ico") == 0;
    if (icoName || looksLikeIconFile(file)) {
        if (readIconFile(file, images, reason)) return true;
        reason = "not an icon the menu can show: " + reason;
        return false;
    }
    RgbaImage picture;
    std::string decodeReason;
    if (!decodeImageFile(path.c_str(), picture, decodeReason)) {
        reason = "not an icon: neither an icon file nor a picture (" + decodeReason + ")";
        return false;
    }
    const std::vector<unsigned char> made = iconFileFromImage(picture, reason);
    return !made.empty() && readIconFile(Bytes(made.begin(), made.end()), images, reason);
}

// The folder part of the full path `path` with its trailing separator; empty when it has
// no file name.
std::string folderOf(const std::string& path) {
    const std::size_t separator = path.find_last_of("\\/");
    if (separator == std::string::npos || separator + 1 == path.size()) return {};
    return path.substr(0, separator + 1);
}

// Why the output cannot be written into `folder` (a full path ending in a separator), the
// system's code being `error`.
std::string unwritableFolderText(const std::string& folder, DWORD error) {
    const DWORD attributes = GetFileAttributesA(folder.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0)
        return "its folder " + shown(folder) + " does not exist";
    return "its folder " + shown(folder) + " cannot be written to: " + systemErrorText(error);
}

// The version block of `menu` with the names `request` gives. False with the reason when
// a name is not a text of the system's code page or too long, or the block cannot take it.
bool versionWithNames(const BrandRequest& request, const MenuProgram& menu, Bytes& version,
                      std::string& reason) {
    VersionNode tree = menu.version;
    for (const VersionName& name : kVersionNames) {
        const std::optional<std::string>& text = request.*name.text;
        if (!text) continue;
        std::wstring wide;
        if (!wideFromSystemText(*text, wide) || wide.empty()) {
            reason = std::string(name.option) + " needs a text in the system's code page";
            return false;
        }
        if (wide.size() > kMaxVersionText) {
            reason = std::string(name.option) + " is " + std::to_string(wide.size()) +
                     " characters long; the version block takes at most " +
                     std::to_string(kMaxVersionText);
            return false;
        }
        if (!setVersionText(tree, name.key, std::u16string(wide.begin(), wide.end()))) {
            reason = shown(request.menu) + ": its version block has no string table";
            return false;
        }
    }
    version = writeVersionInfo(tree);
    if (version.empty()) {
        reason =
            shown(request.menu) + ": its version block would grow past 64 KiB with these names";
        return false;
    }
    return true;
}

}  // namespace

BrandResult brandMenu(const BrandRequest& asked) {
    std::string problem = requestProblem(asked);
    if (!problem.empty()) return refused(problem);
    if (asked.signOnly) return signMenuInPlace(asked);

    // Every path full before any call: LoadLibraryEx would look for a relative one along
    // the program search path, the tool's own folder first, not in the current folder.
    BrandRequest request = asked;
    for (std::string* path :
         {&request.menu, &request.output, request.picture ? &*request.picture : nullptr,
          request.icon ? &*request.icon : nullptr}) {
        std::string full;
        if (path == nullptr) continue;
        if (!fullPath(*path, full)) {
            return refused(shown(*path) +
                           ": not a path Windows can use: " + systemErrorText(GetLastError()));
        }
        *path = full;
    }

    // The same file given twice: the output would overwrite an input, or the menu is a
    // picture. One square picture may well serve as both the picture and the icon.
    struct Named {
        const char* role;
        const std::string* path;
    };
    const Named named[] = {{"MENU.exe", &request.menu},
                           {"OUTPUT.exe", &request.output},
                           {"the picture", request.picture ? &*request.picture : nullptr},
                           {"the icon", request.icon ? &*request.icon : nullptr}};
    for (std::size_t i = 0; i < 4; ++i)
        for (std::size_t j = i + 1; j < 4; ++j)
            if (i != 2 && named[i].path != nullptr && named[j].path != nullptr &&
                sameFile(*named[i].path, *named[j].path)) {
                return refused(std::string(named[i].role) + " and " + named[j].role +
                               " are the same file (" + shown(*named[j].path) + ")");
            }

    // Everything is read and made before anything is written.
    MenuProgram menu;
    std::string reason;
    const MenuReading reading = readMenuProgram(request.menu, menu, reason);
    if (reading != MenuReading::read) {
        BrandResult result = refused(shown(request.menu) + ": " + reason);
        if (reading == MenuReading::failed) result.outcome = BrandOutcome::failed;
        return result;
    }
    Bytes picture;
    if (request.picture &&
        !menuPictureFromFile(*request.picture, request.fitColour, picture, reason))
        return refused(shown(*request.picture) + ": " + reason);
    std::vector<IconImage> icons;
    if (request.icon && !readIcon(*request.icon, icons, reason))
        return refused(shown(*request.icon) + ": " + reason);
    Bytes version;
    if (!versionWithNames(request, menu, version, reason)) return refused(reason);
    const std::vector<Resource> resources =
        brandedResources(menu.resources, picture, icons, version);
    // The certificate is opened and checked before anything is written.
    PlatformSigner signer;
    if (asksToSign(request) && !openSigner(request, signer, reason)) return refused(reason);

    // The output: a file beside it first, renamed into place only once checked.
    const std::string folder = folderOf(request.output);
    const DWORD attributes = GetFileAttributesA(request.output.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES &&
        (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY)) != 0) {
        return refused(shown(request.output) + ": OUTPUT.exe cannot be written: it is " +
                       ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0 ? "a folder" : "read-only"));
    }
    if (folder.empty()) {
        return refused(shown(request.output) +
                       ": OUTPUT.exe cannot be written: it names a folder, not a file");
    }
    char temporary[MAX_PATH];
    if (GetTempFileNameA(folder.c_str(), "amb", 0, temporary) == 0) {
        return refused(shown(request.output) + ": OUTPUT.exe cannot be written: " +
                       unwritableFolderText(folder, GetLastError()));
    }
    BrandResult result;
    result.signatureRemoved = menu.header.certificateSize != 0;
    if (!writeBrandedProgram(temporary, menu.file, menu.header, resources, reason) ||
        !verifyBrandedProgram(temporary, menu.header, resources, reason) ||
        (asksToSign(request) && !signWrittenProgram(temporary, request, signer, result, reason))) {
        DeleteFileA(temporary);
        result.outcome = BrandOutcome::failed;
        result.reason = shown(request.output) + ": " + reason;
        return result;
    }
    if (!MoveFileExA(temporary, request.output.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        const DWORD error = GetLastError();
        DeleteFileA(temporary);
        result.outcome = BrandOutcome::refused;
        result.reason =
            shown(request.output) + ": OUTPUT.exe cannot be written: " + systemErrorText(error);
        return result;
    }
    result.outcome = BrandOutcome::written;
    result.output = request.output;
    return result;
}
