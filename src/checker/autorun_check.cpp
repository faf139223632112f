#include "checker/autorun_check.h"

#include <windows.h>

#include <cstdlib>

#include "checker/near_name.h"
#include "checker/profile_scan.h"
#include "checker/report.h"

namespace {

// Windows reads these keys into buffers of a path's size.
constexpr std::size_t kLongestText = MAX_PATH - 1;
// Longer labels are cut in Explorer's views and in the AutoPlay notification.

bool exists(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

// The program of a command line: up to the closing quotation mark or the first blank.
std::string programOf(const std::string& command) {
    if (!command.empty() && command[0] == '"') {
        const std::size_t close = command.find('"', 1);
        return command.substr(1, close == std::string::npos ? std::string::npos : close - 1);
    }
    return command.substr(0, command.find(' '));
}

std::string fileName(const std::string& path) { return path.substr(path.find_last_of("\\/") + 1); }

bool isFixedPath(const std::string& path) {
    return (path.size() >= 2 && path[1] == ':') || path.compare(0, 2, "\\\\") == 0;
}

BOOL CALLBACK countName(HMODULE, LPCSTR, LPSTR, LONG_PTR counter) {
    ++*reinterpret_cast<int*>(counter);
    return TRUE;
}

// The icon groups a program or library carries; -1 when it cannot be read.
int iconGroups(const std::string& path, int resourceId, bool& idFound) {
    HMODULE module = LoadLibraryExA(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (module == nullptr) return -1;
    int count = 0;
    EnumResourceNamesA(module, RT_GROUP_ICON, countName, reinterpret_cast<LONG_PTR>(&count));
    idFound = resourceId > 0 &&
              FindResourceA(module, MAKEINTRESOURCEA(resourceId), RT_GROUP_ICON) != nullptr;
    FreeLibrary(module);
    return count;
}

void checkProgram(const std::string& key, const std::string& command, const std::string& root,
                  const std::string& menuProgram, Report& report) {
    const Place place = keyPlace(kAutorunSectionName, key);
    const std::string program = programOf(command);
    if (program.find("://") != std::string::npos) return;
    if (isFixedPath(program)) {
        report.warning(place, program +
                                  ": a fixed drive or share; Windows starts the program "
                                  "relative to the medium's root, so write it that way");
        return;
    }
    if (!exists(root + program)) {
        report.error(place, program + ": no such file on the medium (" + root + program +
                                "): Windows offers nothing to start");
        return;
    }
    if (!menuProgram.empty() && !sameName(fileName(program), fileName(menuProgram))) {
        report.note(place, program + " is not the menu program (" + fileName(menuProgram) +
                               "): inserting the medium does not open the menu");
    }
}

void checkIcon(const std::string& value, const std::string& root, Report& report) {
    const Place place = keyPlace(kAutorunSectionName, kIconKey);
    const std::size_t comma = value.rfind(',');
    std::string file = value.substr(0, comma);
    while (!file.empty() && file.back() == ' ') file.pop_back();
    if (file.size() >= 2 && file.front() == '"' && file.back() == '"')
        file = file.substr(1, file.size() - 2);
    const int index = comma == std::string::npos ? 0 : std::atoi(value.c_str() + comma + 1);
    if (isFixedPath(file)) {
        report.warning(place, file +
                                  ": a fixed drive or share; write it relative to the "
                                  "medium's root");
        return;
    }
    if (!exists(root + file)) {
        report.warning(place, file +
                                  ": no such file on the medium: the drive shows the "
                                  "standard icon");
        return;
    }
    const std::size_t dot = file.rfind('.');
    if (dot != std::string::npos && sameName(file.substr(dot), ".ico")) {
        if (index != 0) {
            report.warning(place, "icon " + std::to_string(index) + " of " + file +
                                      ": an icon file holds only icon 0");
        }
        return;
    }
    bool idFound = false;
    const int groups = iconGroups(root + file, index < 0 ? -index : 0, idFound);
    if (groups < 0) {
        report.warning(place, file + ": neither an icon file nor a program with icons");
    } else if (index >= 0 && index >= groups) {
        report.warning(place, "icon " + std::to_string(index) + " of " + file + ": it has " +
                                  std::to_string(groups) + (groups == 1 ? " icon" : " icons") +
                                  ", numbered from 0");
    } else if (index < 0 && !idFound) {
        report.warning(place, "icon " + std::to_string(index) + " of " + file +
                                  ": it has no icon with resource number " +
                                  std::to_string(-index));
    }
}

void checkText(const std::string& key, const std::string& value, Report& report) {
    const Place place = keyPlace(kAutorunSectionName, key);
    if (value.size() > kLongestText) {
        report.warning(place, std::to_string(value.size()) + " characters: Windows reads at most " +
                                  std::to_string(kLongestText));
    } else if (key == kLabelKey && value.size() > kLongestLabel) {
        report.note(place, std::to_string(value.size()) +
                               " characters: Explorer and AutoPlay show about " +
                               std::to_string(kLongestLabel) + " and cut the rest");
    }
}

}  // namespace

void checkAutorunSection(bool present, const std::string& root, const std::string& menuProgram,
                         Report& report) {
    if (!present) {
        report.note(
            sectionPlace(kAutorunSectionName),
            "missing: Windows offers nothing when the medium is inserted; the menu works "
            "when started by hand (open=" +
                (menuProgram.empty() ? std::string("autorun-menu.exe") : fileName(menuProgram)) +
                " offers it)");
        return;
    }
    const std::string open = rawValue(kAutorunSectionName, kOpenKey);
    const std::string shellExecute = rawValue(kAutorunSectionName, "shellexecute");
    if (open.empty() && shellExecute.empty()) {
        report.warning(sectionPlace(kAutorunSectionName),
                       "neither open nor shellexecute: Windows offers no program to start");
    }
    if (!open.empty()) checkProgram(kOpenKey, open, root, menuProgram, report);
    if (!shellExecute.empty())
        checkProgram("shellexecute", shellExecute, root, menuProgram, report);

    const std::string icon = rawValue(kAutorunSectionName, kIconKey);
    if (!icon.empty()) checkIcon(icon, root, report);
    checkText(kLabelKey, rawValue(kAutorunSectionName, kLabelKey), report);
    checkText("action", rawValue(kAutorunSectionName, "action"), report);
}
