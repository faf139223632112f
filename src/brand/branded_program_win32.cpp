#include "brand/branded_program.h"

#include <imagehlp.h>

#include "brand/file_bytes.h"
#include "brand/file_problem.h"

namespace {

std::string systemError(const char* what, DWORD error) {
    return std::string(what) + " failed: " + systemErrorText(error);
}

// Removes every certificate of the file at `path`. The indices are the ones the file lists,
// which need not run from 0, and may change as certificates go: the first listed one goes
// each time, until none is listed.
bool removeCertificates(const std::string& path, std::string& reason) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        reason = systemError("opening the new file", GetLastError());
        return false;
    }
    bool removed = true;
    DWORD before = 0xFFFFFFFF;
    for (;;) {
        DWORD count = 0;
        DWORD index = 0;
        if (!ImageEnumerateCertificates(file, CERT_SECTION_TYPE_ANY, &count, &index, 1)) {
            removed = false;
            reason = systemError("listing the signature's certificates", GetLastError());
            break;
        }
        if (count == 0) break;
        if (count >= before) {
            removed = false;
            reason = "removing the signature failed: a certificate stays in the file";
            break;
        }
        before = count;
        if (!ImageRemoveCertificate(file, index)) {
            removed = false;
            reason = systemError("removing the signature", GetLastError());
            break;
        }
    }
    CloseHandle(file);
    return removed;
}

}  // namespace

bool writeBrandedProgram(const std::string& path, const Bytes& menu, const PeHeader& header,
                         const std::vector<Resource>& resources, std::string& reason) {
    if (!writeFileBytes(path, menu)) {
        reason = systemError("writing the new file", GetLastError());
        return false;
    }
    if (header.certificateSize != 0 && !removeCertificates(path, reason)) return false;

    HANDLE update = BeginUpdateResourceA(path.c_str(), TRUE);
    if (update == nullptr) {
        reason = systemError("BeginUpdateResource", GetLastError());
        return false;
    }
    for (const Resource& resource : resources) {
        // Null data of size 0 would delete the resource: an empty one is written as empty.
        static unsigned char none = 0;
        unsigned char* data =
            resource.data.empty() ? &none : const_cast<unsigned char*>(resource.data.data());
        if (!UpdateResourceA(update, resourcePointer(resource.type), resourcePointer(resource.name),
                             resource.language, data, static_cast<DWORD>(resource.data.size()))) {
            reason = systemError("UpdateResource", GetLastError());
            EndUpdateResourceA(update, TRUE);
            return false;
        }
    }
    if (!EndUpdateResourceA(update, FALSE)) {
        reason = systemError("EndUpdateResource", GetLastError());
        return false;
    }

    // The resource update leaves the old checksum in the header.
    Bytes written;
    if (!readFileBytes(path, written)) {
        reason = systemError("reading the new file back", GetLastError());
        return false;
    }
    if (!writeChecksum(written)) {
        reason = "the new file's headers are damaged";
        return false;
    }
    if (!writeFileBytes(path, written)) {
        reason = systemError("writing the checksum", GetLastError());
        return false;
    }
    return true;
}

bool verifyBrandedProgram(const std::string& path, const PeHeader& menuHeader,
                          const std::vector<Resource>& resources, std::string& reason) {
    Bytes written;
    if (!readFileBytes(path, written)) {
        reason = systemError("reading the new file", GetLastError());
        return false;
    }
    const PeHeader header = readPeHeader(written);
    if (!header.valid) {
        reason = "the new file is not a Windows program";
        return false;
    }
    if (header.characteristics != menuHeader.characteristics ||
        header.dllCharacteristics != menuHeader.dllCharacteristics) {
        reason = "the header flags differ from MENU.exe's";
        return false;
    }
    if (header.certificateOffset != 0 || header.certificateSize != 0) {
        reason = "a certificate table is left";
        return false;
    }
    if (!hasValidChecksum(written)) {
        reason = "the PE checksum is not valid";
        return false;
    }

    std::vector<Resource> loaded;
    ResourceProblem problem;
    if (!readResources(path, Mapping::image, loaded, problem)) {
        if (!problem.mapped && problem.error != 0) {
            reason = systemError("loading the new file as a program image", problem.error);
        } else if (!problem.mapped) {
            reason = "Windows maps the new file only as data, not as a program image";
        } else {
            reason = "Windows cannot read its resource " + problem.unreadable;
        }
        return false;
    }
    struct Needed {
        std::uint16_t type;
        std::uint16_t name;
        std::string what;
    };
    const Needed needed[] = {
        {kDialogType, kMenuDialog, "the dialog " + std::to_string(kMenuDialog)},
        {kBitmapType, kMenuPicture, "the picture " + std::to_string(kMenuPicture)},
        {kIconGroupType, kMenuIconGroup, "the icon group " + std::to_string(kMenuIconGroup)},
        {kManifestType, kMenuManifest, "the manifest"},
        {kVersionType, kMenuVersion, "the version"}};
    for (const Needed& item : needed) {
        const Resource* expected = findResource(resources, item.type, item.name);
        const Resource* found = findResource(loaded, item.type, item.name);
        if (found == nullptr) {
            reason = item.what + " is missing";
            return false;
        }
        if (expected == nullptr || !(*expected == *found)) {
            reason = item.what + " is not what was written";
            return false;
        }
    }
    if (loaded.size() != resources.size()) {
        reason = "it holds " + std::to_string(loaded.size()) + " resources, not " +
                 std::to_string(resources.size());
        return false;
    }
    for (const Resource& expected : resources) {
        bool present = false;
        for (const Resource& found : loaded) present = present || found == expected;
        if (!present) {
            reason = "a resource is not what was written";
            return false;
        }
    }
    return true;
}
