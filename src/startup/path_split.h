// Cuts a full path into drive, directory and file name, the way the menu finds the folder
// it runs from. Both the backslash and the slash separate.
#pragma once

struct PathParts {
    char drive[3];        // "D:" or empty
    char directory[256];  // up to and including the last separator, at most 255 characters
    char fileName[256];   // without its extension, at most 255 characters
};

// True for the backslash and the slash.
inline bool isPathSeparator(char c) { return c == '\\' || c == '/'; }

// Fills `parts` from the NUL-terminated `path`. Double-byte characters are stepped over
// whole, so their second byte is never taken for a separator or a dot. Always terminates
// every field; never reads past the path's terminator.
void splitPath(const char* path, PathParts& parts);
