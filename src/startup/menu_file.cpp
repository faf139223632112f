#include "startup/menu_file.h"

#include <cstring>

#include "startup/path_split.h"
#include "state/launcher_state.h"

static const char kMenuFileName[] = "autorun.inf";

bool buildMenuFilePath(const char* executablePath, char* menuFilePath, std::size_t size) {
    PathParts parts;
    splitPath(executablePath, parts);

    const std::size_t directoryLength = std::strlen(parts.directory);
    const bool needsSeparator =
        directoryLength > 0 && !isPathSeparator(parts.directory[directoryLength - 1]);
    const std::size_t length = (parts.drive[0] != '\0' ? 2 : 0) + directoryLength +
                               (needsSeparator ? 1 : 0) + sizeof kMenuFileName - 1;
    if (length + 1 > size) {
        if (size > 0) menuFilePath[0] = '\0';
        return false;
    }

    char* out = menuFilePath;
    if (parts.drive[0] != '\0') {
        *out++ = parts.drive[0];
        *out++ = ':';
    }
    std::memcpy(out, parts.directory, directoryLength);
    out += directoryLength;
    if (needsSeparator) *out++ = '\\';
    std::memcpy(out, kMenuFileName, sizeof kMenuFileName);  // terminator included
    return true;
}

// Length of the run of characters from `text` up to the next separator or the end.
static std::size_t runToSeparator(const char* text) {
    std::size_t n = 0;
    while (text[n] != '\0' && !isPathSeparator(text[n])) ++n;
    return n;
}

void computeMediaRoot(const char* path) {
    char* root = launcherState.mediaRoot;
    const std::size_t rootSize = sizeof launcherState.mediaRoot;

    PathParts parts;
    splitPath(path, parts);
    std::strcpy(root, parts.drive);

    if (root[0] == '\0') {
        // A share: the directory starts with a pair of equal separators.
        const char* dir = parts.directory;
        const bool sharePath = std::strlen(dir) > 2 && isPathSeparator(dir[0]) && dir[1] == dir[0];
        if (!sharePath) return;

        std::strcpy(root, "\\\\");
        const char* rest = dir + 2;  // the server name onwards
        const std::size_t serverLength = runToSeparator(rest);
        std::size_t take = std::strlen(rest);
        if (serverLength > 0 && rest[serverLength] != '\0') {
            const std::size_t shareLength = runToSeparator(rest + serverLength + 1);
            // With a server and a share, the root stops after the share; an empty server or
            // share keeps the whole directory.
            if (shareLength > 0) take = serverLength + 1 + shareLength;
        }
        // The directory holds at most 255 characters, so this always fits.
        std::strncat(root, rest, take);
    }
    appendSeparator(root, rootSize);
}

void appendSeparator(char* text, std::size_t size) {
    const std::size_t length = std::strlen(text);
    if (length == 0 || isPathSeparator(text[length - 1])) return;
    if (length + 2 > size) return;
    text[length] = '\\';
    text[length + 1] = '\0';
}
