#include "publish/image_names.h"

#include <map>
#include <set>

namespace {

constexpr std::size_t kIsoBaseLimit = 8;
constexpr std::size_t kIsoExtensionLimit = 3;
constexpr std::size_t kIsoLabelLimit = 32;
constexpr std::size_t kJolietLabelLimit = 16;

bool isDCharacter(char16_t c) {
    return (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9') || c == u'_';
}

// `c` as a d-character: letters upper-case, anything else that is no d-character "_".
char isoCharacter(char16_t c) {
    if (c >= u'a' && c <= u'z') c = static_cast<char16_t>(c - u'a' + u'A');
    return isDCharacter(c) ? static_cast<char>(c) : '_';
}

std::string isoText(const std::u16string& text, std::size_t limit) {
    std::string out;
    for (char16_t c : text) {
        if (out.size() == limit) break;
        out.push_back(isoCharacter(c));
    }
    return out;
}

}  // namespace

std::string jolietNameProblem(const std::u16string& name) {
    if (name.empty()) return "has no name";
    if (name == u"." || name == u"..") return "is not a name Windows can open";
    if (name.size() > kJolietNameLimit) {
        return "is longer than " + std::to_string(kJolietNameLimit) +
               " characters, the longest name a Joliet disc holds";
    }
    for (char16_t c : name) {
        if (c < 0x20) return "holds a control character, which Joliet names cannot hold";
        if (c >= 0xD800 && c < 0xE000) {
            return "holds a character outside UCS-2 (an emoji or a rare ideograph), which Joliet "
                   "names cannot hold";
        }
        switch (c) {
            case u'*':
            case u'/':
            case u':':
            case u';':
            case u'?':
            case u'\\':
                return std::string("holds \"") + static_cast<char>(c) +
                       "\", which Joliet names cannot hold";
            case u'"':
            case u'<':
            case u'>':
            case u'|':
                return std::string("holds \"") + static_cast<char>(c) +
                       "\", which Windows cannot open";
            default:
                break;
        }
    }
    const char16_t last = name.back();
    if (last == u'.' || last == u' ') return "ends in a dot or a space, which Windows drops";
    return "";
}

char16_t foldedCase(char16_t c) {
    if (c >= u'a' && c <= u'z') return static_cast<char16_t>(c - 0x20);
    if (c < 0x80) return c;
    // Latin-1: à-þ except ÷; ÿ pairs with Ÿ in Latin Extended-A.
    if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return static_cast<char16_t>(c - 0x20);
    if (c == 0xFF) return 0x178;
    // Latin Extended-A: upper-case at even code points, lower-case after them, except where
    // the pairs shift (Ĺ-ň and Ź-ž pair odd with even).
    if ((c >= 0x100 && c <= 0x137) || (c >= 0x14A && c <= 0x177)) {
        return static_cast<char16_t>(c & ~1u);
    }
    if ((c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E)) {
        return (c % 2 == 0) ? static_cast<char16_t>(c - 1) : c;
    }
    // Greek: ά έ ή ί, α-ω (ς as Σ), ϊ ϋ ό ύ ώ.
    if (c == 0x3AC) return 0x386;
    if (c >= 0x3AD && c <= 0x3AF) return static_cast<char16_t>(c - 0x25);
    if (c == 0x3C2) return 0x3A3;
    if (c >= 0x3B1 && c <= 0x3CB) return static_cast<char16_t>(c - 0x20);
    if (c == 0x3CC) return 0x38C;
    if (c == 0x3CD || c == 0x3CE) return static_cast<char16_t>(c - 0x3F);
    // Cyrillic: а-я, ѐ-џ, and the pairs of Ѡ-ҁ and Ҋ-ӿ.
    if (c >= 0x430 && c <= 0x44F) return static_cast<char16_t>(c - 0x20);
    if (c >= 0x450 && c <= 0x45F) return static_cast<char16_t>(c - 0x50);
    if ((c >= 0x460 && c <= 0x481) || (c >= 0x48A && c <= 0x4BF) || (c >= 0x4D0 && c <= 0x52F)) {
        return static_cast<char16_t>(c & ~1u);
    }
    if (c >= 0x4C1 && c <= 0x4CE) return (c % 2 == 0) ? static_cast<char16_t>(c - 1) : c;
    if (c == 0x4CF) return 0x4C0;
    // Full-width Latin letters.
    if (c >= 0xFF41 && c <= 0xFF5A) return static_cast<char16_t>(c - 0x20);
    return c;
}

std::u16string foldedCase(const std::u16string& name) {
    std::u16string out = name;
    for (char16_t& c : out) c = foldedCase(c);
    return out;
}

std::vector<std::string> isoNamesForFolder(const std::vector<std::u16string>& names,
                                           const std::vector<bool>& isFolder) {
    std::vector<std::string> bases(names.size());
    std::vector<std::string> extensions(names.size());
    for (std::size_t i = 0; i < names.size(); ++i) {
        const std::u16string& name = names[i];
        const bool folder = i < isFolder.size() && isFolder[i];
        const std::size_t dot = name.rfind(u'.');
        if (folder || dot == std::u16string::npos || dot == 0) {
            bases[i] = isoText(name, kIsoBaseLimit);
        } else {
            bases[i] = isoText(name.substr(0, dot), kIsoBaseLimit);
            extensions[i] = isoText(name.substr(dot + 1), kIsoExtensionLimit);
        }
        if (bases[i].empty()) bases[i] = "_";
    }
    auto full = [&](std::size_t i, const std::string& base) {
        const bool folder = i < isFolder.size() && isFolder[i];
        return folder ? base : base + "." + extensions[i];
    };

    // Names kept as they map come first, so one entry that needs a number never takes the
    // plain name of another.
    std::vector<std::string> result(names.size());
    std::set<std::string> taken;
    std::vector<std::size_t> clashing;
    for (std::size_t i = 0; i < names.size(); ++i) {
        const std::string plain = full(i, bases[i]);
        if (taken.insert(plain).second) {
            result[i] = plain;
        } else {
            clashing.push_back(i);
        }
    }
    // The next number to try for each plain name, so many clashes stay quick.
    std::map<std::string, std::size_t> nextNumber;
    for (std::size_t i : clashing) {
        std::size_t& next = nextNumber.emplace(full(i, bases[i]), 1).first->second;
        for (std::size_t n = next;; ++n) {
            const std::string suffix = "_" + std::to_string(n);
            const std::string base = bases[i].substr(0, kIsoBaseLimit - suffix.size()) + suffix;
            if (taken.insert(full(i, base)).second) {
                result[i] = full(i, base);
                next = n + 1;
                break;
            }
        }
    }
    return result;
}

VolumeLabel volumeLabel(const std::u16string& wanted) {
    VolumeLabel label;
    const std::u16string text = wanted.empty() ? u"CDROM" : wanted;

    bool upperCased = false;
    bool replaced = false;
    for (char16_t c : text) {
        if (label.iso.size() == kIsoLabelLimit) break;
        const char mapped = isoCharacter(c);
        if (c >= u'a' && c <= u'z') {
            upperCased = true;
        } else if (static_cast<char16_t>(mapped) != c) {
            replaced = true;
        }
        label.iso.push_back(mapped);
    }
    if (upperCased) {
        label.losses.push_back("the ISO 9660 label \"" + label.iso +
                               "\" is in capitals: ISO 9660 labels have no small letters");
    }
    if (replaced) {
        label.losses.push_back("the ISO 9660 label \"" + label.iso +
                               "\" shows \"_\" for each character other than A-Z, 0-9 and _");
    }
    if (text.size() > kIsoLabelLimit) {
        label.losses.push_back("the ISO 9660 label keeps the first " +
                               std::to_string(kIsoLabelLimit) + " characters");
    }

    bool jolietReplaced = false;
    for (char16_t c : text) {
        if (label.joliet.size() == kJolietLabelLimit) break;
        const bool unfit = c < 0x20 || (c >= 0xD800 && c < 0xE000) || c == u'*' || c == u'/' ||
                           c == u':' || c == u';' || c == u'?' || c == u'\\';
        if (unfit) jolietReplaced = true;
        label.joliet.push_back(unfit ? u'_' : c);
    }
    if (jolietReplaced) {
        label.losses.push_back(
            "the Joliet label shows \"_\" for each character Joliet cannot hold");
    }
    if (text.size() > kJolietLabelLimit) {
        label.losses.push_back("Windows shows the first " + std::to_string(kJolietLabelLimit) +
                               " characters of the label (the Joliet label's limit)");
    }
    return label;
}
