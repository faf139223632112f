#include "checker/medium_check.h"

#include <windows.h>

#include <cstdio>
#include <vector>

#include "checker/autorun_check.h"
#include "checker/contrast_check.h"
#include "checker/file_encoding.h"
#include "checker/language_check.h"
#include "checker/medium_root.h"
#include "checker/menu_encoding.h"
#include "checker/menu_lines.h"
#include "checker/menu_program.h"
#include "checker/menu_state.h"
#include "checker/near_name.h"
#include "checker/profile_scan.h"
#include "checker/read_through.h"
#include "checker/report.h"
#include "checker/section_check.h"
#include "checker/signature_check.h"
#include "checker/value_text.h"
#include "checker/view_check.h"
#include "console/full_path.h"
#include "startup/path_split.h"
#include "state/launcher_state.h"

namespace {

const char kMenuFileName[] = "autorun.inf";
constexpr DWORD kLargestMenuFile = 16 * 1024 * 1024;

// `path` made full, or as it is when the system cannot make it full.
std::string fullPath(const std::string& path) {
    std::string full;
    return ::fullPath(path, full) ? full : path;
}

std::string withSeparator(const std::string& folder) {
    return !folder.empty() && !isPathSeparator(folder.back()) ? folder + "\\" : folder;
}

std::string systemMessage(DWORD code) {
    char text[512] = {};
    const DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                                        nullptr, code, 0, text, sizeof text, nullptr);
    std::string message(text, length);
    while (!message.empty() &&
           (message.back() == '\n' || message.back() == '\r' || message.back() == '.')) {
        message.pop_back();
    }
    if (message.empty()) message = "system error " + std::to_string(code);
    return message;
}

// The file's bytes; false, with what to tell the author, when it cannot be read or is larger
// than the checker reads.
bool readMenuFile(const std::string& path, std::string& bytes, std::string& reason) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        reason = "cannot be read: " + systemMessage(GetLastError());
        return false;
    }
    LARGE_INTEGER size = {};
    if (GetFileSizeEx(file, &size) == 0) {
        reason = "cannot be read: " + systemMessage(GetLastError());
    } else if (size.QuadPart > kLargestMenuFile) {
        reason = std::to_string(size.QuadPart) +
                 " bytes: the checker reads menu files of at most " +
                 std::to_string(kLargestMenuFile / (1024 * 1024)) + " MiB (" +
                 std::to_string(kLargestMenuFile) +
                 " bytes), and a menu file needs a few kilobytes; nothing of it is checked";
    } else {
        std::vector<char> buffer(64 * 1024);
        DWORD read = 0;
        // A file that grows while it is read gives no more than the limit.
        while (bytes.size() < kLargestMenuFile) {
            if (ReadFile(file, buffer.data(), static_cast<DWORD>(buffer.size()), &read, nullptr) ==
                0) {
                reason = "cannot be read: " + systemMessage(GetLastError());
                break;
            }
            if (read == 0) break;
            bytes.append(buffer.data(), read);
        }
    }
    CloseHandle(file);
    return reason.empty();
}

// The menu file named by the medium argument, or empty after an error.
std::string findMenuFile(const std::string& medium, Report& report) {
    const std::string path = fullPath(medium);
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        report.error(path, "no such file or folder");
        return {};
    }
    if ((attributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
        const std::string name = path.substr(path.find_last_of("\\/") + 1);
        if (!sameName(name, kMenuFileName)) {
            report.warning(path, "the menu reads only a file named autorun.inf beside it");
        }
        return path;
    }
    const std::string menuFile = withSeparator(path) + kMenuFileName;
    const DWORD menuAttributes = GetFileAttributesA(menuFile.c_str());
    if (menuAttributes == INVALID_FILE_ATTRIBUTES) {
        report.error(withSeparator(path),
                     "no autorun.inf in this folder: the menu would not start");
        return {};
    }
    if (menuAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        report.error(menuFile, "a folder, not a file: the menu would not start");
        return {};
    }
    return menuFile;
}

// Copies `text` into one of launcherState's path buffers; false when it does not fit.
bool setStatePath(char (&buffer)[kPathSize], const std::string& text, Report& report) {
    if (text.size() >= sizeof buffer) {
        report.error(text, "the path has " + std::to_string(text.size()) +
                               " characters and the menu takes at most " +
                               std::to_string(kPathSize - 1) +
                               ": check a copy of the medium in a shorter folder");
        return false;
    }
    std::snprintf(buffer, sizeof buffer, "%s", text.c_str());
    return true;
}

// The picture of the menu program named or found beside the menu file, or false.
bool findPicture(const CheckOptions& options, const std::string& folder, std::string& program,
                 Picture& picture, Report& report) {
    program = options.menu.empty() ? findMenuProgram(folder) : fullPath(options.menu);
    if (program.empty()) {
        report.note(folder,
                    "no program here carries the menu's picture (--menu PROGRAM names "
                    "it): the captions' contrast on the picture is not checked");
        return false;
    }
    std::string reason;
    if (!options.menu.empty() && !carriesMenuPicture(program)) {
        report.error(program, "not the menu program: it carries no menu picture and window");
        program.clear();
        return false;
    }
    if (!readMenuPicture(program, picture, reason)) {
        report.warning(program, reason + ": the captions' contrast on it is not checked");
        return false;
    }
    report.info(program, "the menu program: captions are measured on its " +
                             std::to_string(picture.width) + " x " +
                             std::to_string(picture.height) + " picture");
    return true;
}

// Says that the menu started from `folder` takes the root of its drive or share for the
// medium's root, when it does, and how to try the menu as the medium will be.
void checkStartingFolder(const std::string& folder, Report& report) {
    if (!menuTakesAnotherRoot(folder)) return;
    const std::string root = rootTheMenuTakes(folder);
    const bool share = root.compare(0, 2, "\\\\") == 0;
    const std::string written = folder.substr(0, folder.size() - 1);
    report.note(folder, std::string("the menu started from this folder takes the root of its ") +
                            (share ? "share" : "drive") + ", " + root +
                            ", for the medium's root, and starts relative commands there; to "
                            "try it as the medium will be, map this folder to a drive letter (" +
                            (share ? "net use" : "subst") + " E: " + quoted(written) +
                            ") or mount an image of the medium");
}

// What the file's encoding makes of it on Windows, where the profile reader takes a file as
// Unicode only with the little-endian UTF-16 mark.
void checkEncoding(FileEncoding encoding, const std::string& menuFile, const std::string& bytes,
                   Report& report) {
    const char kSaveAsUtf16[] = "save it as UTF-16 (\"Unicode\" in Notepad)";
    const bool textBeyondAscii =
        encoding == FileEncoding::Utf8 ||
        (encoding == FileEncoding::Utf8WithMark && looksLikeUtf8(bytes.substr(3)));
    switch (encoding) {
        case FileEncoding::Utf16:
            report.info(menuFile,
                        "saved in UTF-16: every language section reaches the menu in the code "
                        "page of its systems, and each is checked in it");
            break;
        case FileEncoding::Utf8WithMark: {
            const std::string lost = sectionLostToMark(bytes);
            if (!lost.empty()) {
                report.error(sectionPlace(lost),
                             "Windows does not read this section: the file is saved as UTF-8 "
                             "with a byte-order mark, which Windows takes for part of the first "
                             "line, so that line opens no section and the keys under it are "
                             "never read; " +
                                 std::string(kSaveAsUtf16));
            } else if (!textBeyondAscii) {
                report.note(menuFile,
                            "saved as UTF-8 with a byte-order mark, which Windows takes for part "
                            "of the first line (here no section heading, so nothing is lost); " +
                                std::string(kSaveAsUtf16));
            }
            break;
        }
        case FileEncoding::Utf16BigEndian:
            report.warning(menuFile,
                           "saved as UTF-16 big-endian: Windows reads only little-endian UTF-16 "
                           "as Unicode and takes this file for ANSI text, and so does this check; "
                           "save it as UTF-16 little-endian (\"Unicode\" in Notepad)");
            break;
        case FileEncoding::Utf16WithoutMark:
            report.error(menuFile,
                         "UTF-16 text without a byte-order mark: Windows takes it for ANSI text, "
                         "in which it finds no section, so the menu shows nothing; save it as "
                         "UTF-16 with its mark (\"Unicode\" in Notepad)");
            break;
        case FileEncoding::Utf8:
        case FileEncoding::Ansi:
            break;
    }
    if (textBeyondAscii) {
        report.warning(menuFile,
                       "written in UTF-8: the menu reads it in the system's ANSI code page, where "
                       "texts outside ASCII come out garbled; save it as UTF-16 (\"Unicode\" in "
                       "Notepad), which serves every language");
    }
}

// Points the profile reads at the file that reads to them as the menu file reads to the menu
// on Windows (MenuFileViews::readingFile). False after an error.
bool chooseReadingFile(FileEncoding encoding, const std::string& bytes, MenuFileViews& views,
                       Report& report) {
    const ReadThrough through = readThrough(encoding, !sectionNames().empty(), bytes);
    if (through == ReadThrough::MenuFile) return true;
    if (!views.readThroughCopy(through == ReadThrough::CopyWithoutMark)) {
        report.error(views.menuFile(),
                     "cannot be checked: no room for a copy in the temporary folder");
        return false;
    }
    if (through == ReadThrough::Copy) {
        report.info(views.menuFile(),
                    "this PC maps every file named autorun.inf away from the profile reader, as "
                    "PCs hardened against AutoRun worms do, so the reader finds nothing in it; "
                    "the menu copes by reading a copy under another name, and so does this check");
    }
    return setStatePath(launcherState.menuFilePath, views.readingFile(), report);
}

// Every check of the medium whose menu file is `menuFile`; false when one stopped the rest.
bool checkMenuFile(const CheckOptions& options, const std::string& menuFile, Report& report) {
    std::string bytes;
    std::string reason;
    if (!readMenuFile(menuFile, bytes, reason)) {
        report.error(menuFile, reason);
        return false;
    }

    // The folder of the files beside the menu file, which may stand in for the copy's own.
    const std::string folder = options.folder.empty()
                                   ? menuFile.substr(0, menuFile.find_last_of("\\/") + 1)
                                   : withSeparator(fullPath(options.folder));
    const bool rootGiven = !options.root.empty();
    const std::string root = withSeparator(rootGiven ? fullPath(options.root) : folder);
    const DWORD rootAttributes = GetFileAttributesA(root.c_str());
    if (rootAttributes == INVALID_FILE_ATTRIBUTES ||
        (rootAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
        report.error(root, "the medium's root is not a folder");
        return false;
    }
    if (!setStatePath(launcherState.menuFilePath, menuFile, report)) return false;
    if (!setStatePath(launcherState.mediaRoot, root, report)) return false;

    report.info(menuFile, "the menu file");
    report.info(root,
                rootGiven
                    ? "the medium's root: relative commands start here"
                    : "the medium's root: relative commands start here (--root DIR when the menu "
                      "lies in a subfolder)");
    if (!rootGiven) checkStartingFolder(root, report);

    const FileEncoding encoding = fileEncoding(bytes);
    MenuLines lines;
    MenuFileViews views(menuFile, bytes);
    lines.read(views.utf16() ? utf8FromUtf16File(bytes) : bytes);
    report.setMenuFile(menuFile, &lines);
    checkEncoding(encoding, menuFile, bytes, report);
    if (!chooseReadingFile(encoding, bytes, views, report)) return false;

    std::string program;
    Picture picture;
    const bool pictureRead = findPicture(options, folder, program, picture, report);
    if (!program.empty()) checkProgramSignature(program, report);

    const std::vector<std::string> names = sectionNames();
    bool viewPresent = false;
    bool autorunPresent = false;
    for (const std::string& name : names) {
        viewPresent = viewPresent || classifySection(name).kind == SectionKind::View;
        autorunPresent = autorunPresent || sameName(name, "autorun");
    }
    checkAutorunSection(autorunPresent, folder, program, report);
    checkViewSection(viewPresent, report);
    checkCommentContrast(report);
    checkLanguageSections(names, views, lines, pictureRead ? &picture : nullptr, report);
    checkSectionNames(names, report);
    return true;
}

}  // namespace

CheckResult checkMedium(const CheckOptions& options) {
    // The menu file, the medium's root and the look, for every check of this medium.
    const MenuStateScope scope;
    Report report;
    CheckResult result;
    result.menuFile = findMenuFile(options.medium, report);
    if (!result.menuFile.empty()) result.complete = checkMenuFile(options, result.menuFile, report);
    result.findings = report.findings();
    return result;
}
