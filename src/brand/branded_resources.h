// The resources of the branded program: the menu's own, with what the author gave in place
// of the picture, the icons and the version block.
#pragma once

#include <vector>

#include "brand/icon_file.h"
#include "brand/resource.h"

// Every resource of `menu` in its order, with the version replaced by `version`; the
// picture replaced by `picture` unless it is empty; and, unless `icons` is empty, the
// menu's icon group and the icons it lists replaced by `icons` (numbered after the
// highest icon kept), added at the end. Each new resource takes the language of the one
// it replaces.
std::vector<Resource> brandedResources(const std::vector<Resource>& menu, const Bytes& picture,
                                       const std::vector<IconImage>& icons, const Bytes& version);
