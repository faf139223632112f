#include "startup/path_split.h"

#include <cstring>

#include "startup/lead_byte.h"

// Copies at most `count` bytes of `source` into `destination`, which holds `size` bytes,
// cutting to size - 1 and terminating.
static void copyCut(char* destination, std::size_t size, const char* source, std::size_t count) {
    if (count > size - 1) count = size - 1;
    std::memcpy(destination, source, count);
    destination[count] = '\0';
}

void splitPath(const char* path, PathParts& parts) {
    parts.drive[0] = '\0';
    if (path[0] != '\0' && path[1] == ':') {
        copyCut(parts.drive, sizeof parts.drive, path, 2);
        path += 2;
    }

    // One pass over the rest, a whole character at a time.
    const char* lastSeparator = nullptr;
    const char* lastDot = nullptr;
    const char* p = path;
    while (*p != '\0') {
        if (isLeadByte(static_cast<unsigned char>(*p))) {
            // A lead byte at the very end has no second byte to step over.
            p += (p[1] != '\0') ? 2 : 1;
            continue;
        }
        if (isPathSeparator(*p)) lastSeparator = p;
        if (*p == '.') lastDot = p;
        ++p;
    }
    const char* end = p;

    const char* nameStart = lastSeparator ? lastSeparator + 1 : path;
    copyCut(parts.directory, sizeof parts.directory, path, nameStart - path);

    const char* nameEnd = (lastDot && lastDot >= nameStart) ? lastDot : end;
    copyCut(parts.fileName, sizeof parts.fileName, nameStart, nameEnd - nameStart);
}
