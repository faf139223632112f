#include "publish/image_writer.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "publish/iso_fields.h"
#include "publish/utf16_text.h"

namespace {

constexpr std::uint8_t kHiddenFlag = 0x01;  // ISO 9660's "existence" bit
constexpr std::uint8_t kFolderFlag = 0x02;
constexpr std::size_t kOutputBuffer = 1 << 20;
constexpr std::size_t kDirectWrite = 256 << 10;

// Collects small writes into whole buffers for the sink, and passes large ones straight on.
class Output {
public:
    explicit Output(const ImageSink& sink) : sink_(sink) { buffer_.reserve(kOutputBuffer); }

    bool write(const std::uint8_t* bytes, std::size_t size) {
        written_ += size;
        // A large piece (a reader's whole buffer) goes on as it is, saving a copy.
        if (size < kDirectWrite && buffer_.size() + size <= kOutputBuffer) {
            buffer_.insert(buffer_.end(), bytes, bytes + size);
            return true;
        }
        return flush() && sink_(bytes, size);
    }

    bool zeros(std::uint64_t count) {
        static const std::uint8_t kZeros[kSectorSize] = {};
        while (count > 0) {
            const std::size_t piece =
                static_cast<std::size_t>(std::min<std::uint64_t>(count, kSectorSize));
            if (!write(kZeros, piece)) return false;
            count -= piece;
        }
        return true;
    }

    // Zeros up to the next sector boundary.
    bool padSector() {
        const std::uint64_t rest = written_ % kSectorSize;
        return rest == 0 || zeros(kSectorSize - rest);
    }

    bool flush() {
        if (buffer_.empty()) return true;
        const bool ok = sink_(buffer_.data(), buffer_.size());
        buffer_.clear();
        return ok;
    }

    std::uint64_t written() const { return written_; }

private:
    const ImageSink& sink_;
    std::vector<std::uint8_t> buffer_;
    std::uint64_t written_ = 0;
};

std::string identifierOf(const PlannedNode& node, bool joliet) {
    if (!joliet) return node.isoName;
    std::string bytes;
    for (char16_t c : node.entry->name) {
        bytes.push_back(static_cast<char>(c >> 8));
        bytes.push_back(static_cast<char>(c & 0xFF));
    }
    return bytes;
}

// One directory record, its identifier `id` (bytes as recorded).
std::vector<std::uint8_t> directoryRecord(const std::string& id, std::uint32_t sector,
                                          std::uint32_t bytes, std::int64_t time,
                                          std::uint8_t flags) {
    const std::size_t length = 33 + id.size() + (id.size() % 2 == 0 ? 1 : 0);
    std::vector<std::uint8_t> record(length, 0);
    record[0] = static_cast<std::uint8_t>(length);
    putBoth32(&record[2], sector);
    putBoth32(&record[10], bytes);
    putRecordDate(&record[18], time);
    record[25] = flags;
    putBoth16(&record[28], 1);  // volume sequence number
    record[32] = static_cast<std::uint8_t>(id.size());
    std::memcpy(&record[33], id.data(), id.size());
    return record;
}

class ImageWriter {
public:
    ImageWriter(const ImagePlan& plan, const FileReader& reader, const ImageSink& sink,
                std::string& problem)
        : plan_(plan), reader_(reader), out_(sink), problem_(problem) {}

    bool run() {
        return out_.zeros(16 * kSectorSize) && volumeDescriptor(false) && volumeDescriptor(true) &&
               terminator() && pathTables(false) && pathTables(true) && folders(false) &&
               folders(true) && files() && finish();
    }

private:
    bool failed(const std::string& why) {
        if (problem_.empty()) problem_ = why;
        return false;
    }

    bool put(const std::vector<std::uint8_t>& bytes) {
        return out_.write(bytes.data(), bytes.size()) || failed("the image could not be written");
    }

    std::uint32_t folderSector(const PlannedNode& node, bool joliet) const {
        return joliet ? node.jolietSector : node.isoSector;
    }
    std::uint32_t folderBytes(const PlannedNode& node, bool joliet) const {
        return joliet ? node.jolietBytes : node.isoBytes;
    }

    std::vector<std::uint8_t> recordOf(const PlannedNode& node, bool joliet) const {
        const ImageEntry& entry = *node.entry;
        std::uint8_t flags = entry.hidden ? kHiddenFlag : 0;
        if (entry.folder) {
            flags |= kFolderFlag;
            return directoryRecord(identifierOf(node, joliet), folderSector(node, joliet),
                                   folderBytes(node, joliet), plan_.timeOf(entry), flags);
        }
        return directoryRecord(identifierOf(node, joliet), node.dataSector,
                               static_cast<std::uint32_t>(entry.size), plan_.timeOf(entry), flags);
    }

    bool volumeDescriptor(bool joliet) {
        std::vector<std::uint8_t> d(kSectorSize, 0);
        d[0] = joliet ? 2 : 1;
        std::memcpy(&d[1], "CD001", 5);
        d[6] = 1;
        if (joliet) {
            putPaddedUcs2(&d[8], 32, u"");
            putPaddedUcs2(&d[40], 32, plan_.label.joliet);
            d[88] = '%', d[89] = '/', d[90] = 'E';  // UCS-2 level 3
        } else {
            putPaddedText(&d[8], 32, "");
            putPaddedText(&d[40], 32, plan_.label.iso);
        }
        putBoth32(&d[80], plan_.sectorCount);
        putBoth16(&d[120], 1);  // volume set size
        putBoth16(&d[124], 1);  // volume sequence number
        putBoth16(&d[128], kSectorSize);
        const std::uint32_t tableBytes =
            joliet ? plan_.jolietPathTableBytes : plan_.isoPathTableBytes;
        const std::uint32_t tableSector =
            joliet ? plan_.jolietPathTableSector : plan_.isoPathTableSector;
        putBoth32(&d[132], tableBytes);
        putLittle32(&d[140], tableSector);
        putBig32(&d[148], tableSector + plan_.pathTableSectors);
        const PlannedNode& root = plan_.nodes[0];
        const std::vector<std::uint8_t> rootRecord =
            directoryRecord(std::string(1, '\0'), folderSector(root, joliet),
                            folderBytes(root, joliet), plan_.timeOf(*root.entry), kFolderFlag);
        std::memcpy(&d[156], rootRecord.data(), 34);
        if (joliet) {
            for (std::size_t field : {190u, 318u, 446u}) putPaddedUcs2(&d[field], 128, u"");
            putPaddedUcs2(&d[574], 128, utf16FromUtf8(kImageApplication));
            for (std::size_t field : {702u, 739u, 776u}) putPaddedUcs2(&d[field], 37, u"");
        } else {
            for (std::size_t field : {190u, 318u, 446u}) putPaddedText(&d[field], 128, "");
            putPaddedText(&d[574], 128, kImageApplication);
            for (std::size_t field : {702u, 739u, 776u}) putPaddedText(&d[field], 37, "");
        }
        putVolumeDate(&d[813], plan_.volumeTime);  // created
        putVolumeDate(&d[830], plan_.volumeTime);  // modified
        putNoVolumeDate(&d[847]);                  // expires
        putNoVolumeDate(&d[864]);                  // effective
        d[881] = 1;                                // file structure version
        return put(d);
    }

    bool terminator() {
        std::vector<std::uint8_t> d(kSectorSize, 0);
        d[0] = 255;
        std::memcpy(&d[1], "CD001", 5);
        d[6] = 1;
        return put(d);
    }

    // The L table (little-endian numbers) and then the M table (big-endian), each padded to
    // the sectors the plan gives it.
    bool pathTables(bool joliet) {
        const std::vector<std::size_t>& order = joliet ? plan_.jolietFolders : plan_.isoFolders;
        for (bool bigEndian : {false, true}) {
            std::vector<std::uint8_t> table;
            for (std::size_t index : order) {
                const PlannedNode& folder = plan_.nodes[index];
                const std::string id =
                    index == 0 ? std::string(1, '\0') : identifierOf(folder, joliet);
                const PlannedNode& parent = plan_.nodes[folder.parent];
                const std::uint32_t parentNumber = joliet ? parent.jolietNumber : parent.isoNumber;
                std::uint8_t head[8] = {};
                head[0] = static_cast<std::uint8_t>(id.size());
                if (bigEndian) {
                    putBig32(&head[2], folderSector(folder, joliet));
                    putBig16(&head[6], static_cast<std::uint16_t>(parentNumber));
                } else {
                    putLittle32(&head[2], folderSector(folder, joliet));
                    putLittle16(&head[6], static_cast<std::uint16_t>(parentNumber));
                }
                table.insert(table.end(), head, head + 8);
                table.insert(table.end(), id.begin(), id.end());
                if (id.size() % 2 == 1) table.push_back(0);
            }
            table.resize(std::size_t{plan_.pathTableSectors} * kSectorSize, 0);
            if (!put(table)) return false;
        }
        return true;
    }

    bool folders(bool joliet) {
        for (std::size_t index : joliet ? plan_.jolietFolders : plan_.isoFolders) {
            const PlannedNode& folder = plan_.nodes[index];
            const PlannedNode& parent = plan_.nodes[folder.parent];
            std::vector<std::uint8_t> bytes;
            auto add = [&](const std::vector<std::uint8_t>& record) {
                const std::size_t used = bytes.size() % kSectorSize;
                if (used + record.size() > kSectorSize) {
                    bytes.resize(bytes.size() + kSectorSize - used, 0);
                }
                bytes.insert(bytes.end(), record.begin(), record.end());
            };
            const std::uint8_t selfFlags = kFolderFlag;
            add(directoryRecord(std::string(1, '\0'), folderSector(folder, joliet),
                                folderBytes(folder, joliet), plan_.timeOf(*folder.entry),
                                selfFlags));
            add(directoryRecord(std::string(1, '\1'), folderSector(parent, joliet),
                                folderBytes(parent, joliet), plan_.timeOf(*parent.entry),
                                kFolderFlag));
            for (std::size_t child : joliet ? folder.jolietOrder : folder.isoOrder) {
                add(recordOf(plan_.nodes[child], joliet));
            }
            bytes.resize(folderBytes(folder, joliet), 0);
            if (!put(bytes)) return false;
        }
        return true;
    }

    bool files() {
        for (std::size_t index : plan_.filesInDataOrder) {
            const PlannedNode& node = plan_.nodes[index];
            const ImageEntry& file = *node.entry;
            if (file.size == 0) continue;
            std::uint64_t delivered = 0;
            bool sinkFailed = false;
            bool tooLong = false;
            std::string readProblem;
            const bool read = reader_(
                file,
                [&](const std::uint8_t* bytes, std::size_t size) {
                    if (delivered + size > file.size) {
                        tooLong = true;
                        return false;
                    }
                    delivered += size;
                    if (!out_.write(bytes, size)) {
                        sinkFailed = true;
                        return false;
                    }
                    return true;
                },
                readProblem);
            const std::string name = utf8FromUtf16(pathOf(index));
            if (sinkFailed) return failed("the image could not be written");
            if (tooLong || (read && delivered != file.size)) {
                return failed(name + ": the file changed while the image was written");
            }
            if (!read)
                return failed(name + ": " +
                              (readProblem.empty() ? "could not be read" : readProblem));
            if (!out_.padSector()) return failed("the image could not be written");
        }
        return true;
    }

    bool finish() {
        if (out_.written() != plan_.imageBytes()) return failed("the image's layout did not hold");
        return out_.flush() || failed("the image could not be written");
    }

    std::u16string pathOf(std::size_t index) const {
        std::u16string path = plan_.nodes[index].entry->name;
        for (std::size_t at = plan_.nodes[index].parent; at != 0; at = plan_.nodes[at].parent) {
            path = plan_.nodes[at].entry->name + u"\\" + path;
        }
        return path;
    }

    const ImagePlan& plan_;
    const FileReader& reader_;
    Output out_;
    std::string& problem_;
};

}  // namespace

bool writeImage(const ImagePlan& plan, const FileReader& reader, const ImageSink& sink,
                std::string& problem) {
    problem.clear();
    if (!plan.writable()) {
        problem = "the image cannot hold the medium";
        return false;
    }
    ImageWriter writer(plan, reader, sink, problem);
    return writer.run();
}
