#include "brand/icon_file.h"

bool looksLikeIconFile(const Bytes& file) {
    return file.size() >= 4 && read16(file, 0) == 0 && read16(file, 2) == 1;
}

bool readIconFile(const Bytes& file, std::vector<IconImage>& images, std::string& reason) {
    images.clear();
    if (file.size() < 22) {
        reason = "too short for an icon file";
        return false;
    }
    if (!looksLikeIconFile(file)) {
        reason = "not an icon file (a .ico begins with 0, 0, 1, 0)";
        return false;
    }
    const std::size_t count = read16(file, 4);
    if (count == 0) {
        reason = "the icon file holds no images";
        return false;
    }
    const std::size_t directoryEnd = 6 + 16 * count;
    std::vector<IconImage> found;
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t entry = 6 + 16 * i;
        const std::size_t size = read32(file, entry + 8);
        const std::size_t offset = read32(file, entry + 12);
        if (entry + 16 > file.size() || size == 0 || offset < directoryEnd ||
            offset > file.size() || size > file.size() - offset) {
            reason = "image " + std::to_string(i) + " of the icon lies outside the file";
            return false;
        }
        const bool bitmap = size >= 40 && read32(file, offset) == 40;
        const bool png = size >= 8 && read32(file, offset) == 0x474E5089;
        if (!bitmap && !png) {
            reason =
                "image " + std::to_string(i) + " of the icon is neither a bitmap nor a PNG image";
            return false;
        }
        IconImage image;
        image.width = file[entry];
        image.height = file[entry + 1];
        image.colourCount = file[entry + 2];
        image.planes = read16(file, entry + 4);
        image.bitCount = read16(file, entry + 6);
        image.data.assign(file.begin() + offset, file.begin() + offset + size);
        found.push_back(std::move(image));
    }
    images = std::move(found);
    return true;
}

Bytes iconGroup(const std::vector<IconImage>& images, std::uint16_t firstId) {
    Bytes group;
    appendNumber(group, 2, 0);
    appendNumber(group, 2, 1);
    appendNumber(group, 2, static_cast<std::uint32_t>(images.size()));
    std::uint16_t id = firstId;
    for (const IconImage& image : images) {
        group.push_back(image.width);
        group.push_back(image.height);
        group.push_back(image.colourCount);
        group.push_back(0);
        appendNumber(group, 2, image.planes);
        appendNumber(group, 2, image.bitCount);
        appendNumber(group, 4, static_cast<std::uint32_t>(image.data.size()));
        appendNumber(group, 2, id++);
    }
    return group;
}
