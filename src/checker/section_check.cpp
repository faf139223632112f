#include "checker/section_check.h"

#include <map>
#include <set>

#include "checker/near_name.h"
#include "checker/profile_scan.h"
#include "checker/report.h"
#include "config/language.h"
#include "config/number_text.h"
#include "config/view_keys.h"
#include "state/launcher_state.h"

namespace {

bool allDigits(const std::string& text) {
    if (text.empty()) return false;
    for (char c : text) {
        if (c < '0' || c > '9') return false;
    }
    return true;
}

std::string didYouMean(const std::string& name) { return " (did you mean " + name + "?)"; }

}  // namespace

bool isLanguageSectionNumber(std::int32_t index) {
    // Every section number the table gives, found once over all language identifiers.
    static std::set<std::int32_t> reachable;
    if (reachable.empty()) {
        reachable.insert(0);
        for (std::uint32_t id = 0; id <= 0xFFFF; ++id) reachable.insert(languageIndexForLangId(id));
    }
    return reachable.count(index) != 0;
}

// Sections Windows itself reads from autorun.inf.
bool isWindowsSection(const std::string& name) {
    static const char* const kWindowsSections[] = {"autorun", "DeviceInstall", "Content",
                                                   "ExclusiveContentPaths", "IgnoreContentPaths"};
    for (const char* windowsSection : kWindowsSections) {
        if (sameName(name, windowsSection)) return true;
    }
    // The variants for one processor, such as [autorun.amd64].
    return name.size() > 8 && sameName(name.substr(0, 8), "autorun.");
}

SectionClass classifySection(const std::string& name) {
    if (sameName(name, kViewSectionName)) return {SectionKind::View, 0};
    if (isWindowsSection(name)) return {SectionKind::Windows, 0};
    // The menu names its sections with "%d": no sign, no leading zero.
    if (allDigits(name) && name.size() <= 2 && (name == "0" || name[0] != '0')) {
        const std::int32_t index = numberFromText(name.c_str());
        if (isLanguageSectionNumber(index)) return {SectionKind::Language, index};
    }
    return {SectionKind::Unread, 0};
}

void checkSectionNames(const std::vector<std::string>& names, Report& report) {
    std::map<std::string, int> seen;
    for (const std::string& name : names) {
        const int occurrence = seen[comparableName(name)]++;
        const Place place = sectionPlace(name, occurrence);
        const bool earlier = occurrence > 0;
        const SectionClass section = classifySection(name);
        if (earlier) {
            if (section.kind != SectionKind::Windows) {
                report.warning(place,
                               "given twice: the menu reads only the first, the keys of this one "
                               "are never read");
            }
            continue;
        }
        if (section.kind != SectionKind::Unread) continue;

        std::string why = "the menu never reads this section";
        if (allDigits(name)) {
            const std::int32_t index = name.size() <= 10 ? numberFromText(name.c_str()) : -1;
            const std::string canonical = std::to_string(index);
            if (name[0] == '0' && index >= 0 && isLanguageSectionNumber(index)) {
                why += ": section names have no leading zero" +
                       didYouMean(placeText(sectionPlace(canonical)));
            } else if (index >= 0 && index <= 29) {
                why += ": no language leads to section " + canonical;
            } else {
                why += ": language sections are numbered 0 to 29";
            }
        } else {
            const std::string nearest = nearestName(name, {kViewSectionName, "autorun"});
            if (!nearest.empty()) {
                why += didYouMean(placeText(sectionPlace(nearest)));
            } else {
                why += ": language sections are named by number, 0 to 29";
            }
        }
        report.warning(place, why);
    }
}

void checkSectionKeys(const std::string& section, bool languageSection,
                      const std::vector<SectionLine>& lines, Report& report) {
    const std::vector<std::string>& keys = languageSection ? languageKeys() : viewKeys();
    std::map<std::string, int> seen;
    for (const SectionLine& line : lines) {
        const int occurrence = seen[comparableName(line.key)]++;
        const Place place = keyPlace(section, line.key, occurrence);
        if (!line.hasEquals) {
            report.warning(place, "a line without '=': the menu reads nothing from it");
            continue;
        }
        bool known = false;
        for (const std::string& key : keys) known = known || sameName(key, line.key);
        if (known) {
            if (occurrence > 0) {
                report.warning(place, "given twice: the menu takes the first value");
            }
            continue;
        }

        std::string why = "the menu never reads this key";
        if (languageSection && allDigits(line.key)) {
            const std::int32_t number = line.key.size() <= 2 ? numberFromText(line.key.c_str()) : 0;
            if (number >= 1 && number <= kMenuItemSlots) {
                why += didYouMean(std::to_string(number));
            } else {
                why += ": the entries are the keys 1 to 5";
            }
        } else {
            const std::string nearest = nearestName(line.key, keys);
            if (!nearest.empty()) why += didYouMean(nearest);
        }
        report.warning(place, why);
    }
}

const std::vector<std::string>& languageKeys() {
    static const std::vector<std::string> keys = {kTitleKey, kPromptKey, "1", "2", "3", "4", "5"};
    return keys;
}

const std::vector<std::string>& viewKeys() {
    static const std::vector<std::string> keys = [] {
        std::vector<std::string> names;
        for (const ViewKey& key : kViewKeys) names.push_back(key.name);
        return names;
    }();
    return keys;
}
