// The image's names from any folder: the bytes are UTF-16 names (two bytes a character,
// a zero character between names), the first byte of each name telling file or folder.
// Every ISO 9660 name must be unique in the folder and within 8.3 upper-case d-characters,
// and a tree of them is either refused with reasons or laid out and written whole.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <set>
#include <string>
#include <vector>

#include "publish/image_names.h"
#include "publish/image_plan.h"
#include "publish/image_writer.h"

namespace {

bool plainIsoName(const std::string& name, bool folder) {
    const std::size_t dot = name.find('.');
    if (folder && dot != std::string::npos) return false;
    const std::string base = name.substr(0, dot);
    const std::string extension = dot == std::string::npos ? "" : name.substr(dot + 1);
    if (base.empty() || base.size() > 8 || extension.size() > 3) return false;
    for (char c : base + extension) {
        if (!((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_')) return false;
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::vector<std::u16string> names(1);
    for (std::size_t i = 0; i + 1 < size; i += 2) {
        const char16_t c = static_cast<char16_t>(data[i] | (data[i + 1] << 8));
        if (c == 0) {
            names.emplace_back();
        } else {
            names.back().push_back(c);
        }
    }
    std::vector<bool> folders;
    for (const std::u16string& name : names) folders.push_back(!name.empty() && (name[0] & 1));

    const std::vector<std::string> iso = isoNamesForFolder(names, folders);
    if (iso.size() != names.size()) std::abort();
    std::set<std::string> unique;
    for (std::size_t i = 0; i < iso.size(); ++i) {
        if (!plainIsoName(iso[i], folders[i])) std::abort();
        if (!unique.insert(iso[i]).second) std::abort();
    }

    ImageEntry root;
    root.folder = true;
    for (std::size_t i = 0; i < names.size(); ++i) {
        ImageEntry entry;
        entry.name = names[i];
        entry.folder = folders[i];
        entry.size = folders[i] ? 0 : names[i].size();
        root.children.push_back(entry);
    }
    const ImagePlan plan = planImage(root, {});
    if (!plan.writable()) {
        for (const ImageRefusal& refusal : plan.refusals) {
            if (refusal.reason.empty()) std::abort();
        }
        return 0;
    }
    std::uint64_t written = 0;
    std::string problem;
    const bool ok = writeImage(
        plan,
        [](const ImageEntry& file,
           const std::function<bool(const std::uint8_t*, std::size_t)>& deliver, std::string&) {
            const std::vector<std::uint8_t> bytes(static_cast<std::size_t>(file.size), 7);
            return deliver(bytes.data(), bytes.size());
        },
        [&](const std::uint8_t*, std::size_t piece) {
            written += piece;
            return true;
        },
        problem);
    if (!ok || written != plan.imageBytes()) std::abort();
    return 0;
}
