// The branded program's resources made from the menu's: what each kind of request
// replaces, keeps and adds, and in which order.
#include "brand/branded_resources.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

Resource resource(std::uint16_t type, std::uint16_t name, const std::string& data,
                  std::uint16_t language = 1033) {
    Resource made;
    made.type.id = type;
    made.name.id = name;
    made.language = language;
    made.data.assign(data.begin(), data.end());
    return made;
}

// The menu's resources as the tool sees them: its icon group lists icons 1 and 2; icon 5
// belongs to no group.
std::vector<Resource> menuResources() {
    Bytes group;
    for (std::uint32_t value : {0, 1, 2}) appendNumber(group, 2, value);
    for (std::uint16_t id : {1, 2}) {
        group.insert(group.end(), {32, 32, 0, 0});
        for (std::uint32_t value : {1, 32}) appendNumber(group, 2, value);
        appendNumber(group, 4, 4);
        appendNumber(group, 2, id);
    }
    Resource named = resource(kBitmapType, 0, "named");
    named.name.text = "LOGO";
    std::vector<Resource> menu = {resource(kDialogType, kMenuDialog, "dialog"),
                                  resource(kBitmapType, kMenuPicture, "picture"),
                                  named,
                                  resource(kIconType, 1, "one"),
                                  resource(kIconType, 2, "two"),
                                  resource(kIconType, 5, "five"),
                                  resource(kIconGroupType, kMenuIconGroup, "", 1031),
                                  resource(kManifestType, kMenuManifest, "manifest"),
                                  resource(kVersionType, kMenuVersion, "version")};
    menu[6].data = group;
    return menu;
}

// "type/name/language=data" for each resource, the group by its icon numbers.
std::vector<std::string> summary(const std::vector<Resource>& resources) {
    std::vector<std::string> lines;
    for (const Resource& r : resources) {
        std::string data(r.data.begin(), r.data.end());
        if (r.type.is(kIconGroupType)) {
            data = "icons";
            for (std::size_t i = 0; i < read16(r.data, 4); ++i)
                data += " " + std::to_string(read16(r.data, 6 + 14 * i + 12));
        }
        const std::string name = r.name.text.empty() ? std::to_string(r.name.id) : r.name.text;
        lines.push_back(std::to_string(r.type.id) + "/" + name + "/" + std::to_string(r.language) +
                        "=" + data);
    }
    return lines;
}

TEST(BrandedResources, ReplaceWhatIsGivenAndKeepTheRest) {
    IconImage icon;
    icon.width = icon.height = 16;
    icon.data = {'n', 'e', 'w'};
    const Bytes picture = {'m', 'i', 'n', 'e'};
    const Bytes version = {'n', 'a', 'm', 'e', 's'};
    const struct {
        const char* what;
        Bytes picture;
        std::vector<IconImage> icons;
        std::vector<std::string> expected;
    } cases[] = {
        {"names only",
         {},
         {},
         {"5/103/1033=dialog", "2/111/1033=picture", "2/LOGO/1033=named", "3/1/1033=one",
          "3/2/1033=two", "3/5/1033=five", "14/101/1031=icons 1 2", "24/1/1033=manifest",
          "16/1/1033=names"}},
        {"a picture",
         picture,
         {},
         {"5/103/1033=dialog", "2/111/1033=mine", "2/LOGO/1033=named", "3/1/1033=one",
          "3/2/1033=two", "3/5/1033=five", "14/101/1031=icons 1 2", "24/1/1033=manifest",
          "16/1/1033=names"}},
        {"icons, numbered after the one kept, in the group's language",
         {},
         {icon, icon},
         {"5/103/1033=dialog", "2/111/1033=picture", "2/LOGO/1033=named", "3/5/1033=five",
          "24/1/1033=manifest", "16/1/1033=names", "3/6/1031=new", "3/7/1031=new",
          "14/101/1031=icons 6 7"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(c.expected,
                  summary(brandedResources(menuResources(), c.picture, c.icons, version)));
    }
}

}  // namespace
