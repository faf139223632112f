#include "editor/run/drive_mapping.h"

#include <vector>

#include "brand/file_problem.h"
#include "console/console_text.h"
#include "editor/run/run_plan.h"

namespace {

// The first definition of `device` ("Q:"), as Windows keeps it (such as "\??\C:\disc");
// empty when the device is not defined or the definition cannot be read.
std::wstring firstDefinition(const wchar_t* device) {
    // A mapped folder's path may be as long as a path can be.
    for (DWORD size = MAX_PATH; size <= 65536; size *= 4) {
        std::vector<wchar_t> targets(size, L'\0');
        if (QueryDosDeviceW(device, targets.data(), size) != 0) return targets.data();
        if (GetLastError() != ERROR_INSUFFICIENT_BUFFER) return {};
    }
    return {};
}

// True when Windows knows no definition of `device` at all.
bool undefined(const wchar_t* device) {
    wchar_t targets[MAX_PATH];
    return QueryDosDeviceW(device, targets, ARRAYSIZE(targets)) == 0 &&
           GetLastError() == ERROR_FILE_NOT_FOUND;
}

}  // namespace

DriveMapping::~DriveMapping() { remove(); }

bool DriveMapping::map(const std::wstring& folder, std::wstring& error) {
    if (device_[0] != L'\0') return true;
    const std::wstring target = mappingTarget(folder);
    DWORD lastError = ERROR_NO_MORE_ITEMS;
    for (wchar_t letter : mappableDriveLetters(GetLogicalDrives())) {
        const wchar_t device[3] = {letter, L':', L'\0'};
        // GetLogicalDrives leaves out mappings of other kinds (a network drive that is
        // not connected yet, for one): only a letter without any definition is taken.
        if (!undefined(device)) continue;
        // No broadcast: the mapping is for one run of the menu, not for Explorer.
        if (!DefineDosDeviceW(DDD_NO_BROADCAST_SYSTEM, device, target.c_str())) {
            lastError = GetLastError();
            continue;
        }
        // Removed later by the definition Windows keeps, given as it is, so that exactly
        // this one goes.
        const std::wstring kept = firstDefinition(device);
        if (kept.empty()) {
            lastError = GetLastError();
            DefineDosDeviceW(DDD_REMOVE_DEFINITION | DDD_NO_BROADCAST_SYSTEM, device, nullptr);
            continue;
        }
        for (int i = 0; i < 3; ++i) device_[i] = device[i];
        target_ = kept;
        return true;
    }
    error = L"No drive letter could be mapped to " + target + L": " +
            wideFromCodePage(systemErrorText(lastError), CP_UTF8);
    return false;
}

bool DriveMapping::remove() {
    if (device_[0] == L'\0') return true;
    const bool removed = DefineDosDeviceW(DDD_RAW_TARGET_PATH | DDD_REMOVE_DEFINITION |
                                              DDD_EXACT_MATCH_ON_REMOVE | DDD_NO_BROADCAST_SYSTEM,
                                          device_, target_.c_str()) != 0;
    device_[0] = L'\0';
    target_.clear();
    return removed;
}

std::wstring DriveMapping::root() const {
    if (device_[0] == L'\0') return {};
    return std::wstring(device_) + L"\\";
}
