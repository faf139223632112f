#include "config/profile_readers.h"

#include <windows.h>

#include <cstring>

#include "config/number_text.h"
#include "state/launcher_state.h"

void readProfileText(const char* section, const char* key, char* destination, int size) {
    char value[kTextLineSize];
    if (size > static_cast<int>(sizeof value)) size = sizeof value;
    if (size <= 0) return;
    const DWORD length = GetPrivateProfileStringA(section, key, "", value, static_cast<DWORD>(size),
                                                  launcherState.menuFilePath);
    if (length == 0) return;
    // The platform cuts to size - 1 already; the bound here keeps the copy safe whatever
    // it reports.
    const std::size_t count =
        length < static_cast<DWORD>(size) ? length : static_cast<std::size_t>(size) - 1;
    std::memcpy(destination, value, count);
    destination[count] = '\0';
}

// Reads a key into the 260-byte scratch buffer and converts it; 0 when it has no value.
static std::int32_t readProfileValue(const char* section, const char* key) {
    char value[kPathSize];
    const DWORD length =
        GetPrivateProfileStringA(section, key, "", value, sizeof value, launcherState.menuFilePath);
    if (length == 0) return 0;
    value[sizeof value - 1] = '\0';
    return numberFromText(value);
}

void readProfileFlag(const char* section, const char* key, std::int32_t& flag) {
    if (readProfileValue(section, key) > 0) flag = 1;
}

void readProfileNumber(const char* section, const char* key, std::int32_t& number) {
    const std::int32_t value = readProfileValue(section, key);
    if (value > 0) number = value;
}
