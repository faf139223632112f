#include "brand/version_info.h"

namespace {

std::size_t alignedTo4(std::size_t offset) { return (offset + 3) & ~static_cast<std::size_t>(3); }

// One block starting at `start` and ending no later than `limit`.
bool readNode(const Bytes& data, std::size_t start, std::size_t limit, VersionNode& node,
              int depth) {
    if (depth > 8 || start + 6 > limit) return false;
    const std::size_t length = read16(data, start);
    if (length < 6 || length > limit - start) return false;
    const std::size_t end = start + length;
    node.valueLength = read16(data, start + 2);
    node.type = read16(data, start + 4);
    std::size_t at = start + 6;
    node.key.clear();
    for (;;) {
        if (at + 2 > end) return false;
        const char16_t unit = read16(data, at);
        at += 2;
        if (unit == 0) break;
        node.key.push_back(unit);
    }
    at = alignedTo4(at);
    std::size_t valueBytes = node.type == 1 ? node.valueLength * std::size_t{2} : node.valueLength;
    if (at > end) at = end;
    if (valueBytes > end - at) {
        // Some compilers count a text's length in bytes; the block's end bounds it either way.
        // The length is then kept in UTF-16 units of what was read, so that the block writes
        // back with a length that reads as the same text and never swallows a child added
        // after it.
        if (node.type != 1) return false;
        valueBytes = (end - at) & ~static_cast<std::size_t>(1);
        node.valueLength = static_cast<std::uint16_t>(valueBytes / 2);
    }
    node.value.assign(data.begin() + at, data.begin() + at + valueBytes);
    at = alignedTo4(at + valueBytes);
    node.children.clear();
    while (at + 6 <= end) {
        VersionNode child;
        if (!readNode(data, at, end, child, depth + 1)) return false;
        at = alignedTo4(at + read16(data, at));
        node.children.push_back(std::move(child));
    }
    return true;
}

// False when the block would be longer than its 16-bit length can say.
bool writeNode(const VersionNode& node, Bytes& out) {
    const std::size_t start = out.size();
    appendNumber(out, 2, 0);  // the length, known at the end
    appendNumber(out, 2, node.valueLength);
    appendNumber(out, 2, node.type);
    for (char16_t unit : node.key) appendNumber(out, 2, unit);
    appendNumber(out, 2, 0);
    while (out.size() % 4 != 0) out.push_back(0);
    out.insert(out.end(), node.value.begin(), node.value.end());
    for (const VersionNode& child : node.children) {
        while (out.size() % 4 != 0) out.push_back(0);
        if (!writeNode(child, out)) return false;
    }
    if (out.size() - start > 0xFFFF) return false;
    writeNumber(out, start, 2, static_cast<std::uint32_t>(out.size() - start));
    return true;
}

template <typename Node>
Node* childNamed(Node& node, const std::u16string& key) {
    for (Node& child : node.children)
        if (child.key == key) return &child;
    return nullptr;
}

}  // namespace

bool readVersionInfo(const Bytes& resource, VersionNode& root) {
    root = VersionNode{};
    return readNode(resource, 0, resource.size(), root, 0) && root.key == u"VS_VERSION_INFO";
}

Bytes writeVersionInfo(const VersionNode& root) {
    Bytes out;
    if (!writeNode(root, out)) out.clear();
    return out;
}

bool versionNumbers(const VersionNode& root, std::uint16_t numbers[4]) {
    // VS_FIXEDFILEINFO: signature 0xFEEF04BD, structure version, then the file version
    // as two numbers, most significant first.
    if (root.value.size() < 52 || read32(root.value, 0) != 0xFEEF04BD) return false;
    const std::uint32_t high = read32(root.value, 8);
    const std::uint32_t low = read32(root.value, 12);
    numbers[0] = static_cast<std::uint16_t>(high >> 16);
    numbers[1] = static_cast<std::uint16_t>(high & 0xFFFF);
    numbers[2] = static_cast<std::uint16_t>(low >> 16);
    numbers[3] = static_cast<std::uint16_t>(low & 0xFFFF);
    return true;
}

std::u16string versionText(const VersionNode& root, const std::u16string& key) {
    const VersionNode* strings = childNamed(root, u"StringFileInfo");
    if (strings == nullptr || strings->children.empty()) return {};
    const VersionNode* entry = childNamed(strings->children.front(), key);
    if (entry == nullptr) return {};
    std::u16string text;
    for (std::size_t i = 0; i + 1 < entry->value.size(); i += 2) {
        const char16_t unit = read16(entry->value, i);
        if (unit == 0) break;
        text.push_back(unit);
    }
    return text;
}

bool setVersionText(VersionNode& root, const std::u16string& key, const std::u16string& text) {
    VersionNode* strings = childNamed(root, u"StringFileInfo");
    if (strings == nullptr || strings->children.empty()) return false;
    VersionNode value;
    value.key = key;
    value.type = 1;
    value.valueLength = static_cast<std::uint16_t>(text.size() + 1);
    for (char16_t unit : text) appendNumber(value.value, 2, unit);
    appendNumber(value.value, 2, 0);
    for (VersionNode& table : strings->children) {
        VersionNode* entry = childNamed(table, key);
        if (entry != nullptr) {
            *entry = value;
        } else {
            table.children.push_back(value);
        }
    }
    return true;
}
