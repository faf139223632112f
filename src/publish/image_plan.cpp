#include "publish/image_plan.h"

#include <algorithm>
#include <map>

#include "publish/utf16_text.h"

namespace {

// Bytes of a directory record for an identifier of `idBytes` bytes: 33 fixed, the
// identifier, and a pad byte that keeps the record's length even.
std::uint32_t recordBytes(std::size_t idBytes) {
    return static_cast<std::uint32_t>(33 + idBytes + (idBytes % 2 == 0 ? 1 : 0));
}

// Bytes of a path table record for an identifier of `idBytes` bytes.
std::uint32_t pathRecordBytes(std::size_t idBytes) {
    return static_cast<std::uint32_t>(8 + idBytes + (idBytes % 2 == 1 ? 1 : 0));
}

std::uint32_t sectorsFor(std::uint64_t bytes) {
    return static_cast<std::uint32_t>((bytes + kSectorSize - 1) / kSectorSize);
}

// The bytes a folder's records take: "." and "..", then one per entry, none crossing a
// sector's end.
std::uint32_t folderBytes(const std::vector<std::uint32_t>& entryRecordBytes) {
    std::uint32_t used = 34 + 34;
    std::uint32_t sectors = 1;
    for (std::uint32_t bytes : entryRecordBytes) {
        if (used + bytes > kSectorSize) {
            ++sectors;
            used = 0;
        }
        used += bytes;
    }
    return sectors * kSectorSize;
}

// ISO 9660 order: the name, then the extension, each as padded with spaces.
bool isoBefore(const std::string& a, const std::string& b) {
    auto split = [](const std::string& name) {
        const std::size_t semicolon = name.find(';');
        const std::string bare = name.substr(0, semicolon);
        const std::size_t dot = bare.find('.');
        if (dot == std::string::npos) return std::make_pair(bare, std::string());
        return std::make_pair(bare.substr(0, dot), bare.substr(dot + 1));
    };
    return split(a) < split(b);
}

class Planner {
public:
    explicit Planner(ImagePlan& plan) : plan_(plan) {}

    void addTree(const ImageEntry& root) {
        PlannedNode node;
        node.entry = &root;
        plan_.nodes.push_back(node);
        addChildren(0, u"", 1);
    }

    void assignNames() {
        for (PlannedNode& node : plan_.nodes) {
            if (!node.entry->folder || node.jolietOrder.empty()) continue;
            std::vector<std::u16string> names;
            std::vector<bool> folders;
            for (std::size_t child : node.jolietOrder) {
                names.push_back(plan_.nodes[child].entry->name);
                folders.push_back(plan_.nodes[child].entry->folder);
            }
            const std::vector<std::string> iso = isoNamesForFolder(names, folders);
            for (std::size_t i = 0; i < iso.size(); ++i) {
                PlannedNode& child = plan_.nodes[node.jolietOrder[i]];
                child.isoName = child.entry->folder ? iso[i] : iso[i] + ";1";
            }
            node.isoOrder = node.jolietOrder;
            std::sort(node.isoOrder.begin(), node.isoOrder.end(),
                      [&](std::size_t a, std::size_t b) {
                          return isoBefore(plan_.nodes[a].isoName, plan_.nodes[b].isoName);
                      });
        }
    }

    // Folders in path table order: by level, then by their parent's number, then by name.
    std::vector<std::size_t> folderOrder(bool joliet) {
        std::vector<std::size_t> order{0};
        for (std::size_t at = 0; at < order.size(); ++at) {
            const PlannedNode& folder = plan_.nodes[order[at]];
            for (std::size_t child : joliet ? folder.jolietOrder : folder.isoOrder) {
                if (plan_.nodes[child].entry->folder) order.push_back(child);
            }
        }
        for (std::size_t i = 0; i < order.size(); ++i) {
            PlannedNode& folder = plan_.nodes[order[i]];
            (joliet ? folder.jolietNumber : folder.isoNumber) = static_cast<std::uint32_t>(i + 1);
        }
        return order;
    }

    std::uint32_t pathTableBytes(const std::vector<std::size_t>& folders, bool joliet) {
        std::uint32_t bytes = 0;
        for (std::size_t index : folders) {
            bytes += pathRecordBytes(index == 0 ? 1 : idBytes(plan_.nodes[index], joliet));
        }
        return bytes;
    }

    std::uint32_t recordsOf(const PlannedNode& folder, bool joliet) {
        std::vector<std::uint32_t> sizes;
        for (std::size_t child : joliet ? folder.jolietOrder : folder.isoOrder) {
            sizes.push_back(recordBytes(idBytes(plan_.nodes[child], joliet)));
        }
        return folderBytes(sizes);
    }

    std::size_t idBytes(const PlannedNode& node, bool joliet) {
        return joliet ? node.entry->name.size() * 2 : node.isoName.size();
    }

private:
    void refuse(const std::u16string& path, const std::string& reason) {
        plan_.refusals.push_back({utf8FromUtf16(path), reason});
    }

    void addChildren(std::size_t folderIndex, const std::u16string& folderPath, int level) {
        const ImageEntry& folder = *plan_.nodes[folderIndex].entry;
        std::map<std::u16string, const ImageEntry*> byFoldedName;
        std::vector<std::size_t> children;
        for (const ImageEntry& child : folder.children) {
            const std::u16string path =
                folderPath.empty() ? child.name : folderPath + u"\\" + child.name;
            const std::string nameProblem = jolietNameProblem(child.name);
            if (!nameProblem.empty()) {
                refuse(path, "the name " + nameProblem);
                continue;
            }
            const auto [other, added] = byFoldedName.emplace(foldedCase(child.name), &child);
            if (!added) {
                refuse(path, "differs only in letter case from \"" +
                                 utf8FromUtf16(other->second->name) +
                                 "\" in the same folder; Windows would show one of them");
                continue;
            }
            if (path.size() > kPathLimit) {
                refuse(path, "the path is " + std::to_string(path.size()) +
                                 " characters long; Windows opens paths of up to " +
                                 std::to_string(kPathLimit) + " below a drive's root");
                continue;
            }
            if (child.folder && level + 1 > kFolderLevelLimit) {
                refuse(path, "the folder lies " + std::to_string(level) +
                                 " levels below the root; a disc holds folders up to " +
                                 std::to_string(kFolderLevelLimit - 1) + " levels below it");
                continue;
            }
            if (!child.folder && child.size > kFileSizeLimit) {
                refuse(path, "the file has " + std::to_string(child.size) +
                                 " bytes; a disc image holds files of less than 4 GiB");
                continue;
            }
            PlannedNode node;
            node.entry = &child;
            node.parent = folderIndex;
            plan_.nodes.push_back(node);
            children.push_back(plan_.nodes.size() - 1);
            if (child.folder) addChildren(plan_.nodes.size() - 1, path, level + 1);
        }
        std::sort(children.begin(), children.end(), [&](std::size_t a, std::size_t b) {
            return plan_.nodes[a].entry->name < plan_.nodes[b].entry->name;
        });
        plan_.nodes[folderIndex].jolietOrder = children;
    }

    ImagePlan& plan_;
};

// Files in the order their bytes follow each other: the Joliet tree, depth first.
void collectFiles(const ImagePlan& plan, std::size_t folder, std::vector<std::size_t>& files) {
    for (std::size_t child : plan.nodes[folder].jolietOrder) {
        if (plan.nodes[child].entry->folder) {
            collectFiles(plan, child, files);
        } else {
            files.push_back(child);
        }
    }
}

std::int64_t newestTime(const ImageEntry& entry) {
    std::int64_t newest = entry.time;
    for (const ImageEntry& child : entry.children) newest = std::max(newest, newestTime(child));
    return newest;
}

}  // namespace

std::int64_t ImagePlan::timeOf(const ImageEntry& entry) const {
    return fixed ? volumeTime : entry.time;
}

ImagePlan planImage(const ImageEntry& root, const ImageOptions& options) {
    ImagePlan plan;
    plan.label = volumeLabel(options.label);
    plan.fixed = options.fixedTime;
    plan.volumeTime = options.fixedTime ? options.time : newestTime(root);

    Planner planner(plan);
    planner.addTree(root);
    if (!plan.writable()) return plan;
    planner.assignNames();
    plan.isoFolders = planner.folderOrder(false);
    plan.jolietFolders = planner.folderOrder(true);
    if (plan.isoFolders.size() > kFolderCountLimit) {
        plan.refusals.push_back({"", "the medium has " + std::to_string(plan.isoFolders.size()) +
                                         " folders, the root included; a disc numbers at most " +
                                         std::to_string(kFolderCountLimit) +
                                         " in its path tables"});
        return plan;
    }

    plan.isoPathTableBytes = planner.pathTableBytes(plan.isoFolders, false);
    plan.jolietPathTableBytes = planner.pathTableBytes(plan.jolietFolders, true);
    plan.pathTableSectors = sectorsFor(std::max(plan.isoPathTableBytes, plan.jolietPathTableBytes));

    // 16 sectors of system area, the primary and Joliet descriptors and the terminator, the
    // four path tables, the folders of each tree, then the files' bytes.
    std::uint64_t next = 19;
    plan.isoPathTableSector = static_cast<std::uint32_t>(next);
    next += 2ull * plan.pathTableSectors;
    plan.jolietPathTableSector = static_cast<std::uint32_t>(next);
    next += 2ull * plan.pathTableSectors;
    for (std::size_t index : plan.isoFolders) {
        PlannedNode& folder = plan.nodes[index];
        folder.isoSector = static_cast<std::uint32_t>(next);
        folder.isoBytes = planner.recordsOf(folder, false);
        next += folder.isoBytes / kSectorSize;
    }
    for (std::size_t index : plan.jolietFolders) {
        PlannedNode& folder = plan.nodes[index];
        folder.jolietSector = static_cast<std::uint32_t>(next);
        folder.jolietBytes = planner.recordsOf(folder, true);
        next += folder.jolietBytes / kSectorSize;
    }
    collectFiles(plan, 0, plan.filesInDataOrder);
    for (std::size_t index : plan.filesInDataOrder) {
        PlannedNode& file = plan.nodes[index];
        if (file.entry->size == 0) continue;
        file.dataSector = static_cast<std::uint32_t>(next);
        next += sectorsFor(file.entry->size);
    }
    if (next > 0xFFFFFFFFull) {
        plan.refusals.push_back({"", "the image would exceed the 8 TiB an ISO 9660 volume holds"});
        return plan;
    }
    plan.sectorCount = static_cast<std::uint32_t>(next);
    return plan;
}
