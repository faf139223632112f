// Any bytes as the files the brand tool reads: an icon file, a version block, a program's
// headers, a photo's Exif block. None may crash; a version block read must write back to
// bytes that read again as the same tree.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "brand/icon_file.h"
#include "brand/picture/orientation.h"
#include "brand/version_info.h"
#include "pe_header/pe_header.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const Bytes file(data, data + size);
    readPeHeader(file);
    const int orientation = jpegOrientation(file);
    if (orientation < 0 || orientation > 8) std::abort();

    std::vector<IconImage> images;
    std::string reason;
    if (readIconFile(file, images, reason)) {
        if (images.empty()) std::abort();
        iconGroup(images, 1);
    } else if (!images.empty() || reason.empty()) {
        std::abort();
    }

    VersionNode root;
    if (readVersionInfo(file, root)) {
        setVersionText(root, u"CompanyName", u"Example");
        const Bytes written = writeVersionInfo(root);
        VersionNode again;
        if (!written.empty() &&
            (!readVersionInfo(written, again) || writeVersionInfo(again) != written)) {
            std::abort();
        }
    }
    return 0;
}
