#include "brand/branded_resources.h"

#include <cstdint>
#include <utility>

std::vector<Resource> brandedResources(const std::vector<Resource>& menu, const Bytes& picture,
                                       const std::vector<IconImage>& icons, const Bytes& version) {
    // The icons the menu's group lists go with the group.
    std::vector<std::uint16_t> oldIcons;
    std::uint16_t groupLanguage = 0;
    if (const Resource* group = findResource(menu, kIconGroupType, kMenuIconGroup)) {
        groupLanguage = group->language;
        const std::size_t count = read16(group->data, 4);
        for (std::size_t i = 0; i < count; ++i)
            oldIcons.push_back(read16(group->data, 6 + 14 * i + 12));
    }
    const auto replacedIcon = [&](const Resource& resource) {
        if (icons.empty() || !resource.type.text.empty() || resource.type.id != kIconType ||
            !resource.name.text.empty())
            return false;
        for (std::uint16_t id : oldIcons)
            if (resource.name.id == id) return true;
        return false;
    };

    std::vector<Resource> branded;
    std::uint16_t lastKeptIcon = 0;
    for (const Resource& resource : menu) {
        if (replacedIcon(resource)) continue;
        Resource kept = resource;
        if (!picture.empty() && resource.type.is(kBitmapType) && resource.name.is(kMenuPicture)) {
            kept.data = picture;
        } else if (resource.type.is(kVersionType) && resource.name.is(kMenuVersion)) {
            kept.data = version;
        } else if (!icons.empty() && resource.type.is(kIconGroupType) &&
                   resource.name.is(kMenuIconGroup)) {
            continue;  // added below with its icons
        } else if (resource.type.is(kIconType) && resource.name.text.empty() &&
                   resource.name.id > lastKeptIcon) {
            lastKeptIcon = resource.name.id;
        }
        branded.push_back(std::move(kept));
    }
    if (!icons.empty()) {
        const auto firstId = static_cast<std::uint16_t>(lastKeptIcon + 1);
        for (std::size_t i = 0; i < icons.size(); ++i) {
            Resource icon;
            icon.type.id = kIconType;
            icon.name.id = static_cast<std::uint16_t>(firstId + i);
            icon.language = groupLanguage;
            icon.data = icons[i].data;
            branded.push_back(std::move(icon));
        }
        Resource group;
        group.type.id = kIconGroupType;
        group.name.id = kMenuIconGroup;
        group.language = groupLanguage;
        group.data = iconGroup(icons, firstId);
        branded.push_back(std::move(group));
    }
    return branded;
}
