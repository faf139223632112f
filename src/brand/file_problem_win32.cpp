#include "brand/file_problem.h"

#include <windows.h>

#include "console/console_text.h"
#include "console/system_error.h"

std::string unreadableFileText(const std::string& path, unsigned long error) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
        return "is a folder, not a file";
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) return "does not exist";
    if (error == ERROR_FILE_TOO_LARGE) return "is 1 GiB or larger";
    return "cannot be read: " + systemErrorText(error);
}
