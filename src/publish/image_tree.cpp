#include "publish/image_tree.h"

#include "publish/utf16_text.h"

ImageEntry folderEntry(const std::string& name) {
    ImageEntry entry;
    entry.name = utf16FromUtf8(name);
    entry.folder = true;
    return entry;
}

ImageEntry fileEntry(const std::string& name, std::uint64_t size, const std::string& source) {
    ImageEntry entry;
    entry.name = utf16FromUtf8(name);
    entry.size = size;
    entry.source = source;
    return entry;
}
