// autorun-menu-brand: writes a copy of the menu program with an author's own picture, icon
// and names, so authors make the menu theirs without building it.
#include <windows.h>

#include <string>
#include <vector>

#include "brand/brand_options.h"
#include "brand/branded_program.h"
#include "brand/file_bytes.h"
#include "brand/file_problem.h"
#include "brand/full_path.h"
#include "brand/icon_file.h"
#include "brand/menu_program.h"
#include "brand/picture/decode_image.h"
#include "brand/picture/icon_image.h"
#include "brand/picture/menu_picture.h"
#include "brand/same_file.h"
#include "console/close_prompt.h"
#include "console/console_text.h"

// At most 79 characters a line: a console window is often 80 columns wide.
static const char kUsage[] =
    "Usage: autorun-menu-brand --picture IMAGE [--fit COLOUR] [--icon ICON]\n"
    "         [--company TEXT] [--product TEXT] [--description TEXT]\n"
    "         [--copyright TEXT] MENU.exe OUTPUT.exe\n"
    "\n"
    "Writes OUTPUT.exe: a copy of the menu program MENU.exe (autorun-menu.exe of\n"
    "this release) that shows your picture and icon and carries your names.\n"
    "MENU.exe is never changed.\n"
    "\n"
    "  --picture IMAGE  the menu's picture: PNG, JPEG, BMP, GIF or TIFF, any size.\n"
    "                   It is scaled to cover 600 x 397 pixels, the centre cut out,\n"
    "                   and reduced to 256 colours. Keep x 318-590, y 68-232 (the\n"
    "                   entries) and x 300-598, y 270-395 (the comment box) calm\n"
    "                   and light.\n"
    "  --fit COLOUR     show the whole picture instead, with bars of COLOUR where\n"
    "                   it does not fill the window: #RRGGBB or a colour number\n"
    "                   0-17 of autorun.inf\n"
    "  --icon ICON      the window's and the file's icon: an icon file (.ico), or\n"
    "                   a square PNG or BMP made into 16 to 256 pixel icons\n"
    "  --company TEXT, --product TEXT, --description TEXT, --copyright TEXT\n"
    "                   the names Windows shows in the file's Properties and in\n"
    "                   prompts (at most 255 characters each); the version numbers\n"
    "                   stay the menu's\n"
    "  --help           print this text\n"
    "\n"
    "Exit code: 0 written and checked; 2 nothing written because of the input (the\n"
    "message says which); 1 nothing written because writing or checking failed.\n"
    "A signed MENU.exe loses its signature: sign OUTPUT.exe again.\n";

// Messages are built in UTF-8 and written as characters (console_text.h); paths come from
// the command line in the system's code page and are shown through `shown`.
static std::string shown(const std::string& path) { return utf8FromCodePage(path, CP_ACP); }

static void say(const std::string& message) {
    writeConsoleLine(ConsoleStream::output, wideFromCodePage(message, CP_UTF8));
}

static void fail(const std::string& message) {
    writeConsoleLine(ConsoleStream::error,
                     wideFromCodePage("autorun-menu-brand: " + message, CP_UTF8));
}

// `text` in the system's code page as UTF-16; false when it does not convert.
static bool wideText(const std::string& text, std::u16string& wide) {
    wide.clear();
    if (text.empty()) return true;
    const int length = MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, text.data(),
                                           static_cast<int>(text.size()), nullptr, 0);
    if (length <= 0) return false;
    std::wstring converted(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, text.data(), static_cast<int>(text.size()),
                        &converted[0], length);
    wide.assign(converted.begin(), converted.end());
    return true;
}

// The icon images of `path`: an icon file as it is, or a square picture made into one.
static bool readIcon(const std::string& path, std::vector<IconImage>& images, std::string& reason) {
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
static std::string folderOf(const std::string& path) {
    const std::size_t separator = path.find_last_of("\\/");
    if (separator == std::string::npos || separator + 1 == path.size()) return {};
    return path.substr(0, separator + 1);
}

// Why the output cannot be written into `folder` (a full path ending in a separator), the
// system's code being `error`.
static std::string unwritableFolderText(const std::string& folder, DWORD error) {
    const DWORD attributes = GetFileAttributesA(folder.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0)
        return "its folder " + shown(folder) + " does not exist";
    return "its folder " + shown(folder) + " cannot be written to: " + systemErrorText(error);
}

static int brand(int argc, char** argv) {
    BrandOptions options;
    std::string problem;
    if (!parseBrandOptions(argc, argv, options, problem)) {
        fail(shown(problem));
        writeConsoleLine(ConsoleStream::error, L"");
        writeConsoleLines(ConsoleStream::error, kUsage, CP_UTF8);
        return 2;
    }
    if (options.help) {
        writeConsoleLines(ConsoleStream::output, kUsage, CP_UTF8);
        return 0;
    }

    // Every path full before any call: LoadLibraryEx would look for a relative one along
    // the program search path, the tool's own folder first, not in the current folder.
    for (std::string* path : {&options.menu, &options.output, &options.picture, &options.icon}) {
        std::string full;
        if (path->empty()) continue;
        if (!fullPath(*path, full)) {
            fail(shown(*path) + ": not a path Windows can use: " + systemErrorText(GetLastError()) +
                 "; nothing written");
            return 2;
        }
        *path = full;
    }

    // The same file given twice: the output would overwrite an input, or the menu is a
    // picture. One square picture may well serve as both the picture and the icon.
    struct Named {
        const char* role;
        const std::string* path;
    };
    const Named named[] = {{"MENU.exe", &options.menu},
                           {"OUTPUT.exe", &options.output},
                           {"the picture", &options.picture},
                           {"the icon", &options.icon}};
    for (std::size_t i = 0; i < 4; ++i)
        for (std::size_t j = i + 1; j < 4; ++j)
            if (i != 2 && !named[i].path->empty() && !named[j].path->empty() &&
                sameFile(*named[i].path, *named[j].path)) {
                fail(std::string(named[i].role) + " and " + named[j].role + " are the same file (" +
                     shown(*named[j].path) + "); nothing written");
                return 2;
            }

    // Everything is read and made before anything is written.
    MenuProgram menu;
    std::string reason;
    const MenuReading reading = readMenuProgram(options.menu, menu, reason);
    if (reading != MenuReading::read) {
        fail(shown(options.menu) + ": " + reason + "; nothing written");
        return reading == MenuReading::failed ? 1 : 2;
    }
    RgbaImage image;
    if (!decodeImageFile(options.picture.c_str(), image, reason)) {
        fail(shown(options.picture) + ": " + reason + "; nothing written");
        return 2;
    }
    const std::vector<unsigned char> pictureBytes =
        menuPictureFromImage(image, options.fit, options.fitColour);
    if (pictureBytes.empty()) {
        fail(shown(options.picture) +
             ": could not be made into the menu's picture; nothing written");
        return 2;
    }
    std::vector<IconImage> icons;
    if (!options.icon.empty() && !readIcon(options.icon, icons, reason)) {
        fail(shown(options.icon) + ": " + reason + "; nothing written");
        return 2;
    }
    struct Text {
        const char* option;
        const char16_t* key;
        const std::optional<std::string>* value;
    };
    const Text texts[] = {{"--company", u"CompanyName", &options.company},
                          {"--product", u"ProductName", &options.product},
                          {"--description", u"FileDescription", &options.description},
                          {"--copyright", u"LegalCopyright", &options.copyright}};
    VersionNode version = menu.version;
    for (const Text& text : texts) {
        if (!text.value->has_value()) continue;
        std::u16string wide;
        if (!wideText(**text.value, wide) || wide.empty()) {
            fail(std::string(text.option) + " needs a text in the system's code page; nothing written");
            return 2;
        }
        if (wide.size() > kMaxVersionText) {
            fail(std::string(text.option) + " is " + std::to_string(wide.size()) +
                 " characters long; the version block takes at most " +
                 std::to_string(kMaxVersionText) + "; nothing written");
            return 2;
        }
        if (!setVersionText(version, text.key, wide)) {
            fail(shown(options.menu) + ": its version block has no string table; nothing written");
            return 2;
        }
    }
    const Bytes versionBytes = writeVersionInfo(version);
    if (versionBytes.empty()) {
        fail(shown(options.menu) +
             ": its version block would grow past 64 KiB with these names; nothing written");
        return 2;
    }
    const std::vector<Resource> resources = brandedResources(
        menu.resources, Bytes(pictureBytes.begin(), pictureBytes.end()), icons, versionBytes);

    // The output: a file beside it first, renamed into place only once checked.
    const std::string folder = folderOf(options.output);
    const DWORD attributes = GetFileAttributesA(options.output.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES &&
        (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY)) != 0) {
        fail(shown(options.output) + ": OUTPUT.exe cannot be written: it is " +
             ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0 ? "a folder" : "read-only") +
             "; nothing written");
        return 2;
    }
    if (folder.empty()) {
        fail(shown(options.output) +
             ": OUTPUT.exe cannot be written: it names a folder, not a file; nothing written");
        return 2;
    }
    char temporary[MAX_PATH];
    if (GetTempFileNameA(folder.c_str(), "amb", 0, temporary) == 0) {
        fail(shown(options.output) + ": OUTPUT.exe cannot be written: " +
             unwritableFolderText(folder, GetLastError()) + "; nothing written");
        return 2;
    }
    if (menu.header.certificateSize != 0) {
        say(shown(options.menu) +
            " is signed; the signature does not cover the branded copy and is removed.");
        say("Sign " + shown(options.output) + " again (scripts/release --sign, or signtool sign).");
    }
    if (!writeBrandedProgram(temporary, menu.file, menu.header, resources, reason) ||
        !verifyBrandedProgram(temporary, menu.header, resources, reason)) {
        DeleteFileA(temporary);
        fail(shown(options.output) + ": " + reason + "; nothing written");
        return 1;
    }
    if (!MoveFileExA(temporary, options.output.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        const DWORD error = GetLastError();
        DeleteFileA(temporary);
        fail(shown(options.output) + ": OUTPUT.exe cannot be written: " + systemErrorText(error) +
             "; nothing written");
        return 2;
    }
    say("wrote " + shown(options.output));
    return 0;
}

int main(int argc, char** argv) {
    const int exitCode = brand(argc, argv);
    // Started from Explorer, the window waits for Enter before it closes.
    keepConsoleOpenUntilEnter();
    return exitCode;
}
