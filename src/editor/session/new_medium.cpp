#include "editor/session/new_medium.h"

#include "checker/autorun_check.h"
#include "checker/section_check.h"
#include "config/view_keys.h"
#include "editor/model/utf8_text.h"

namespace {

// The last name in `folder`; empty for a drive's root.
std::u16string lastName(std::u16string folder) {
    while (!folder.empty() && (folder.back() == u'\\' || folder.back() == u'/')) folder.pop_back();
    const std::size_t slash = folder.find_last_of(u"\\/:");
    return slash == std::u16string::npos ? folder : folder.substr(slash + 1);
}

void copyKey(const ProfileDocument& from, ProfileDocument& to, const char* section,
             const std::string& key) {
    const std::u16string name = utf16Of(section);
    const std::u16string keyName = utf16Of(key);
    if (const std::optional<std::u16string> value = from.value(name, keyName))
        to.setValue(name, keyName, *value);
}

}  // namespace

ProfileDocument newMediumDocument(const std::u16string& sampleText, const std::u16string& folder) {
    const ProfileDocument sample = ProfileDocument::fromText(sampleText);
    ProfileDocument medium = ProfileDocument::fromText(u"");
    for (const char* key : kAutorunKeys) copyKey(sample, medium, kAutorunSectionName, key);
    std::u16string label = lastName(folder);
    if (label.size() > kLongestLabel) label.resize(kLongestLabel);
    if (!label.empty()) medium.setValue(utf16Of(kAutorunSectionName), utf16Of(kLabelKey), label);
    for (const ViewKey& key : kViewKeys) copyKey(sample, medium, kViewSectionName, key.name);
    for (const std::string& key : languageKeys()) copyKey(sample, medium, "0", key);
    // The window's title names the medium too, rather than the sample.
    if (!label.empty()) medium.setValue(u"0", utf16Of(kTitleKey), label);
    return medium;
}
