#include "brand/resource.h"

const Resource* findResource(const std::vector<Resource>& resources, std::uint16_t type,
                             std::uint16_t name) {
    for (const Resource& resource : resources)
        if (resource.type.is(type) && resource.name.is(name)) return &resource;
    return nullptr;
}
