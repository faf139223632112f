#include "sign/image_hash.h"

#include <algorithm>
#include <vector>

#include "bytes/sha256.h"
#include "pe_header/pe_header.h"

namespace {

// Where the parts of a program's file lie that the image hash treats apart.
struct Layout {
    std::size_t checkSum = 0;          // the checksum field (4 bytes)
    std::size_t certificateEntry = 0;  // the certificate table's directory entry (8 bytes)
    std::size_t headersEnd = 0;        // SizeOfHeaders
    std::uint32_t certificateOffset = 0;
    std::uint32_t certificateSize = 0;
    struct Range {
        std::size_t start;
        std::size_t size;
    };
    std::vector<Range> sections;  // sections with data, in the order of their place in the file
};

// The layout of the program in `file`; false with the problem for the author when it is
// not a whole Windows program.
bool readLayout(const Bytes& file, Layout& layout, std::string& problem) {
    const PeHeader header = readPeHeader(file);
    if (!header.valid) {
        problem = std::string("not a Windows program (") + header.problem + ")";
        return false;
    }
    const std::size_t pe = read32(file, 0x3C);
    const std::size_t optional = pe + 24;
    const std::size_t sectionCount = read16(file, pe + 6);
    const std::size_t sectionTable = optional + read16(file, pe + 20);
    layout.checkSum = header.checkSumOffset;
    layout.certificateEntry = optional + (header.wide ? 112 : 96) + 4 * 8;
    layout.headersEnd = read32(file, optional + 60);
    layout.certificateOffset = header.certificateOffset;
    layout.certificateSize = header.certificateSize;
    if (sectionTable + sectionCount * 40 > file.size() || layout.headersEnd > file.size() ||
        layout.headersEnd < layout.certificateEntry + 8) {
        problem = "not a whole Windows program: its headers end past the end of the file";
        return false;
    }
    for (std::size_t i = 0; i < sectionCount; ++i) {
        const std::size_t entry = sectionTable + i * 40;
        const std::size_t size = read32(file, entry + 16);
        const std::size_t start = read32(file, entry + 20);
        if (size == 0) continue;
        if (start > file.size() || size > file.size() - start) {
            problem =
                "not a whole Windows program: it is cut short (a section's data lies "
                "past the end of the file)";
            return false;
        }
        layout.sections.push_back({start, size});
    }
    std::stable_sort(
        layout.sections.begin(), layout.sections.end(),
        [](const Layout::Range& a, const Layout::Range& b) { return a.start < b.start; });
    if (layout.certificateSize != 0 &&
        (layout.certificateOffset > file.size() ||
         layout.certificateSize > file.size() - layout.certificateOffset)) {
        problem = "its signature (certificate table) lies past the end of the file";
        return false;
    }
    return true;
}

}  // namespace

UnsignedImage unsignedImage(const Bytes& program) {
    UnsignedImage image;
    Layout layout;
    if (!readLayout(program, layout, image.problem)) return image;
    image.file = program;
    if (layout.certificateSize != 0 || layout.certificateOffset != 0) {
        if (layout.certificateSize == 0 ||
            layout.certificateOffset + std::size_t{layout.certificateSize} != program.size()) {
            image.problem =
                "its signature (certificate table) is not at the end of the file, "
                "so it cannot be replaced";
            image.file.clear();
            return image;
        }
        image.hadSignature = true;
        image.file.resize(layout.certificateOffset);
        writeNumber(image.file, layout.certificateEntry, 4, 0);
        writeNumber(image.file, layout.certificateEntry + 4, 4, 0);
    }
    // Where data from the sections' ends must not be lost: the table follows it all.
    for (const Layout::Range& section : layout.sections) {
        if (section.start + section.size > image.file.size()) {
            image.problem = "a section's data overlaps its signature";
            image.file.clear();
            return image;
        }
    }
    image.file.resize((image.file.size() + 7) / 8 * 8, 0);
    image.valid = true;
    return image;
}

Bytes authenticodeImageHash(const Bytes& file, std::string& problem) {
    Layout layout;
    if (!readLayout(file, layout, problem)) return {};
    Sha256 hash;
    const unsigned char* data = file.data();
    hash.add(data, layout.checkSum);
    hash.add(data + layout.checkSum + 4, layout.certificateEntry - (layout.checkSum + 4));
    hash.add(data + layout.certificateEntry + 8, layout.headersEnd - (layout.certificateEntry + 8));
    std::size_t hashed = layout.headersEnd;
    for (const Layout::Range& section : layout.sections) {
        hash.add(data + section.start, section.size);
        hashed += section.size;
    }
    // What follows the sections, the certificate table left out.
    const std::size_t end = file.size() - layout.certificateSize;
    if (end > hashed) hash.add(data + hashed, end - hashed);
    return hash.finish();
}
