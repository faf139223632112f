// The editor's document model on any bytes: written unchanged it gives back the same bytes,
// and setting a key's value changes that key's line alone and reads back as set.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "editor/document/latin1_codec.h"
#include "editor/document/profile_document.h"
#include "editor/document/profile_syntax.h"
#include "editor/document/stored_text.h"

namespace {

bool sameLine(const ProfileLine& a, const ProfileLine& b) {
    return a.text == b.text && a.bytes == b.bytes && a.ending == b.ending;
}

// A key the profile reader reads from its line: the section it lies in and its name.
struct ReadKey {
    std::size_t line;
    std::u16string section;
    std::u16string key;
};

std::u16string asciiLowered(std::u16string name) {
    for (char16_t& c : name) {
        if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c + (u'a' - u'A'));
    }
    return name;
}

// Every key the reader reads: the first line of each key in the first section of each name.
std::vector<ReadKey> keysRead(const ProfileDocument& document) {
    std::vector<ReadKey> keys;
    const std::vector<ProfileLine>& lines = document.lines();
    std::set<std::u16string> sectionsSeen;
    std::set<std::u16string> keysSeen;
    bool read = false;
    std::u16string section;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const LineParts parts = lineParts(lines[i].text);
        if (parts.kind == LineKind::Section) {
            section = nameOf(lines[i].text, parts);
            read = sectionsSeen.insert(asciiLowered(section)).second;
            keysSeen.clear();
        }
        if (parts.kind != LineKind::Key || !read) continue;
        const std::u16string key = nameOf(lines[i].text, parts);
        if (!keysSeen.insert(asciiLowered(key)).second) continue;
        if (isStorableSectionName(section) && isStorableKeyName(key))
            keys.push_back({i, section, key});
    }
    return keys;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const auto codec = std::make_shared<Latin1Codec>();
    const ProfileDocument original = ProfileDocument::fromBytes(bytes, codec);
    if (original.toBytes() != bytes) std::abort();

    const std::vector<ReadKey> keys = keysRead(original);
    if (keys.empty() || size < 2) return 0;
    const ReadKey& chosen = keys[data[0] % keys.size()];
    if (original.keyLine(chosen.section, chosen.key) != chosen.line) std::abort();
    // The value: the input's last bytes, as Latin-1 characters.
    const std::size_t length = data[1] % 16 < size ? data[1] % 16 : size;
    std::u16string value;
    for (std::size_t i = size - length; i < size; ++i) value += static_cast<char16_t>(data[i]);

    ProfileDocument edited = original;
    const EditStatus status = edited.setValue(chosen.section, chosen.key, value);
    if (!isStorableValue(value)) {
        if (status != EditStatus::ValueNotStorable || edited.toBytes() != bytes) std::abort();
        return 0;
    }
    if (status != EditStatus::Done) std::abort();
    const std::vector<ProfileLine>& before = original.lines();
    const std::vector<ProfileLine>& after = edited.lines();
    if (before.size() != after.size()) std::abort();
    for (std::size_t i = 0; i < before.size(); ++i) {
        if (i != chosen.line && !sameLine(before[i], after[i])) std::abort();
    }
    if (before[chosen.line].ending != after[chosen.line].ending) std::abort();
    if (edited.value(chosen.section, chosen.key) != value) std::abort();

    // The written file, read anew, holds the value too.
    const std::string written = edited.toBytes();
    const ProfileDocument reread = ProfileDocument::fromBytes(written, codec);
    if (reread.toBytes() != written) std::abort();
    if (reread.value(chosen.section, chosen.key) != value) std::abort();

    // A new key in that section: one line more, after which the rest is as it was.
    ProfileDocument added = original;
    if (added.setValue(chosen.section, u"FuzzNewKey", value) != EditStatus::Done) std::abort();
    if (!original.value(chosen.section, u"FuzzNewKey") &&
        added.lines().size() != before.size() + 1) {
        std::abort();
    }
    if (ProfileDocument::fromBytes(added.toBytes(), codec).value(chosen.section, u"FuzzNewKey") !=
        value) {
        std::abort();
    }
    return 0;
}
