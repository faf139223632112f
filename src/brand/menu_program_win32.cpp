#include "brand/menu_program.h"

#include "brand/file_bytes.h"
#include "brand/file_problem.h"
#include "brand/resource_list.h"
#include "version.h"

namespace {

std::string numbersText(const std::uint16_t numbers[3]) {
    return std::to_string(numbers[0]) + "." + std::to_string(numbers[1]) + "." +
           std::to_string(numbers[2]);
}

}  // namespace

MenuReading readMenuProgram(const std::string& path, MenuProgram& menu, std::string& reason) {
    if (!readFileBytes(path, menu.file)) {
        reason = "the menu program (MENU.exe) " + unreadableFileText(path, GetLastError());
        return MenuReading::refused;
    }
    menu.header = readPeHeader(menu.file);
    ResourceProblem problem;
    if (!menu.header.valid ||
        (!readResources(path, Mapping::dataFile, menu.resources, problem) && !problem.mapped)) {
        reason = "not a program; MENU.exe must be autorun-menu.exe of this release";
        return MenuReading::refused;
    }
    if (!problem.unreadable.empty()) {
        reason = "Windows cannot read its resource " + problem.unreadable;
        return MenuReading::failed;
    }
    if (findResource(menu.resources, kDialogType, kMenuDialog) == nullptr ||
        findResource(menu.resources, kBitmapType, kMenuPicture) == nullptr) {
        reason = "not autorun-menu: it has no menu window (dialog " + std::to_string(kMenuDialog) +
                 ") or no picture (bitmap " + std::to_string(kMenuPicture) + ")";
        return MenuReading::refused;
    }
    const Resource* version = findResource(menu.resources, kVersionType, kMenuVersion);
    std::uint16_t numbers[4] = {};
    if (version == nullptr || !readVersionInfo(version->data, menu.version) ||
        !versionNumbers(menu.version, numbers) ||
        versionText(menu.version, u"InternalName") != u"autorun-menu") {
        reason = "not autorun-menu: its version block does not name autorun-menu";
        return MenuReading::refused;
    }
    const std::uint16_t known[3] = {AUTORUN_MENU_VERSION_MAJOR, AUTORUN_MENU_VERSION_MINOR,
                                    AUTORUN_MENU_VERSION_PATCH};
    if (numbers[0] != known[0] || numbers[1] != known[1] || numbers[2] != known[2]) {
        reason = "autorun-menu " + numbersText(numbers) + "; this tool brands autorun-menu " +
                 numbersText(known) + " only (use the tool of the same release)";
        return MenuReading::refused;
    }
    if (findResource(menu.resources, kIconGroupType, kMenuIconGroup) == nullptr ||
        findResource(menu.resources, kManifestType, kMenuManifest) == nullptr) {
        reason = "not a complete autorun-menu: its icon group " + std::to_string(kMenuIconGroup) +
                 " or its manifest is missing";
        return MenuReading::refused;
    }
    return MenuReading::read;
}
