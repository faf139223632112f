#include "checker/profile_scan.h"

#include <windows.h>

#include "state/launcher_state.h"

namespace {

// Calls `read(buffer, size)` with ever larger buffers until the answer fits: the profile
// functions report a cut answer as size - 1 (a value) or size - 2 (a list).
template <typename Read>
std::string readGrowing(Read read) {
    DWORD size = 64 * 1024;
    for (;;) {
        std::vector<char> buffer(size);
        const DWORD length = read(buffer.data(), size);
        if (length + 2 < size || size >= 16 * 1024 * 1024)
            return std::string(buffer.data(), length);
        size *= 2;
    }
}

// The NUL-separated entries of a list the profile functions return.
std::vector<std::string> splitList(const std::string& list) {
    std::vector<std::string> entries;
    std::size_t start = 0;
    while (start < list.size()) {
        const std::size_t end = list.find('\0', start);
        const std::size_t stop = end == std::string::npos ? list.size() : end;
        if (stop > start) entries.push_back(list.substr(start, stop - start));
        start = stop + 1;
    }
    return entries;
}

}  // namespace

std::vector<std::string> sectionNames() {
    return splitList(readGrowing([](char* buffer, DWORD size) {
        return GetPrivateProfileSectionNamesA(buffer, size, launcherState.menuFilePath);
    }));
}

std::vector<SectionLine> sectionLines(const std::string& section) {
    std::vector<SectionLine> lines;
    const std::string list = readGrowing([&section](char* buffer, DWORD size) {
        return GetPrivateProfileSectionA(section.c_str(), buffer, size, launcherState.menuFilePath);
    });
    for (const std::string& entry : splitList(list)) {
        // Some versions of the platform hand comment lines back with the keys.
        if (entry[0] == ';') continue;
        const std::size_t equals = entry.find('=');
        if (equals == std::string::npos) {
            lines.push_back({trimmed(entry), false});
        } else {
            lines.push_back({trimmed(entry.substr(0, equals)), true});
        }
    }
    return lines;
}

std::string rawValue(const std::string& section, const std::string& key) {
    return readGrowing([&section, &key](char* buffer, DWORD size) {
        return GetPrivateProfileStringA(section.c_str(), key.c_str(), "", buffer, size,
                                        launcherState.menuFilePath);
    });
}
