// The built program imports only DLLs that every Windows has: a medium must start on a
// bare system, without runtimes installed beside it.
#include <windows.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "built_program.h"
#include "test_files.h"

namespace {

// The DLL names of a PE image's import and delay-import tables, as written there. Sets
// `error` and gives what it has when the image is malformed.
struct ImportReport {
    WORD machine = 0;
    WORD optionalMagic = 0;
    WORD dllCharacteristics = 0;
    std::vector<std::string> dlls;
    std::string error;
};

template <typename T>
bool readAt(const std::string& image, std::size_t offset, T& value) {
    if (offset > image.size() || image.size() - offset < sizeof(T)) return false;
    std::memcpy(&value, image.data() + offset, sizeof(T));
    return true;
}

class PeImage {
public:
    explicit PeImage(const std::string& bytes) : bytes_(bytes) {}

    bool parseHeaders(ImportReport& report) {
        IMAGE_DOS_HEADER dos;
        if (!readAt(bytes_, 0, dos) || dos.e_magic != IMAGE_DOS_SIGNATURE) {
            report.error = "no MZ header";
            return false;
        }
        const std::size_t nt = static_cast<std::size_t>(dos.e_lfanew);
        DWORD signature = 0;
        IMAGE_FILE_HEADER file;
        if (!readAt(bytes_, nt, signature) || signature != IMAGE_NT_SIGNATURE ||
            !readAt(bytes_, nt + 4, file)) {
            report.error = "no PE header";
            return false;
        }
        report.machine = file.Machine;
        const std::size_t optional = nt + 4 + sizeof(IMAGE_FILE_HEADER);
        if (!readAt(bytes_, optional, report.optionalMagic)) return false;

        // The data directories sit at different offsets in PE32 and PE32+.
        std::size_t directories = 0;
        DWORD directoryCount = 0;
        if (report.optionalMagic == IMAGE_NT_OPTIONAL_HDR32_MAGIC) {
            directories = optional + offsetof(IMAGE_OPTIONAL_HEADER32, DataDirectory);
            readAt(bytes_, optional + offsetof(IMAGE_OPTIONAL_HEADER32, DllCharacteristics),
                   report.dllCharacteristics);
            readAt(bytes_, optional + offsetof(IMAGE_OPTIONAL_HEADER32, NumberOfRvaAndSizes),
                   directoryCount);
        } else if (report.optionalMagic == IMAGE_NT_OPTIONAL_HDR64_MAGIC) {
            directories = optional + offsetof(IMAGE_OPTIONAL_HEADER64, DataDirectory);
            readAt(bytes_, optional + offsetof(IMAGE_OPTIONAL_HEADER64, DllCharacteristics),
                   report.dllCharacteristics);
            readAt(bytes_, optional + offsetof(IMAGE_OPTIONAL_HEADER64, NumberOfRvaAndSizes),
                   directoryCount);
        } else {
            report.error = "unknown optional header";
            return false;
        }
        for (DWORD i = 0; i < directoryCount && i < IMAGE_NUMBEROF_DIRECTORY_ENTRIES; ++i) {
            readAt(bytes_, directories + i * sizeof(IMAGE_DATA_DIRECTORY), directories_[i]);
        }
        const std::size_t sectionTable = optional + file.SizeOfOptionalHeader;
        for (WORD i = 0; i < file.NumberOfSections; ++i) {
            IMAGE_SECTION_HEADER section;
            if (!readAt(bytes_, sectionTable + i * sizeof section, section)) return false;
            sections_.push_back(section);
        }
        return true;
    }

    // The file offset of a relative virtual address, or 0 when no section holds it.
    std::size_t offsetOf(DWORD rva) const {
        for (const IMAGE_SECTION_HEADER& section : sections_) {
            const DWORD size = std::max(section.Misc.VirtualSize, section.SizeOfRawData);
            if (rva >= section.VirtualAddress && rva - section.VirtualAddress < size) {
                return section.PointerToRawData + (rva - section.VirtualAddress);
            }
        }
        return 0;
    }

    std::string textAt(DWORD rva) const {
        const std::size_t offset = offsetOf(rva);
        if (offset == 0 || offset >= bytes_.size()) return {};
        const char* start = bytes_.data() + offset;
        return std::string(start, strnlen(start, bytes_.size() - offset));
    }

    // Walks a table of fixed-size records, each naming a DLL at `nameField`, up to the
    // record whose name is 0.
    template <typename Record>
    void collect(int directory, DWORD Record::*nameField, ImportReport& report) const {
        const IMAGE_DATA_DIRECTORY& table = directories_[directory];
        if (table.VirtualAddress == 0) return;
        std::size_t offset = offsetOf(table.VirtualAddress);
        if (offset == 0) {
            report.error = "import table outside every section";
            return;
        }
        for (Record record; readAt(bytes_, offset, record); offset += sizeof record) {
            if (record.*nameField == 0) return;
            report.dlls.push_back(textAt(record.*nameField));
        }
        report.error = "import table runs past the file";
    }

private:
    const std::string& bytes_;
    IMAGE_DATA_DIRECTORY directories_[IMAGE_NUMBEROF_DIRECTORY_ENTRIES] = {};
    std::vector<IMAGE_SECTION_HEADER> sections_;
};

ImportReport readImports(const std::string& bytes) {
    ImportReport report;
    PeImage image(bytes);
    if (!image.parseHeaders(report)) return report;
    image.collect(IMAGE_DIRECTORY_ENTRY_IMPORT, &IMAGE_IMPORT_DESCRIPTOR::Name, report);
    image.collect(IMAGE_DIRECTORY_ENTRY_DELAY_IMPORT, &IMAGE_DELAYLOAD_DESCRIPTOR::DllNameRVA,
                  report);
    return report;
}

std::string upper(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return text;
}

TEST(ImportTable, OnlySystemDllsThatEveryWindowsHas) {
    const std::string bytes = readWholeFile(builtProgramPath());
    ASSERT_FALSE(bytes.empty()) << "cannot read " << builtProgramPath();
    const ImportReport report = readImports(bytes);
    ASSERT_EQ("", report.error);

    // The program is built for the same architecture as this test: PE32 for x86, PE32+ for x64.
#ifdef _WIN64
    EXPECT_EQ(IMAGE_FILE_MACHINE_AMD64, report.machine);
    EXPECT_EQ(IMAGE_NT_OPTIONAL_HDR64_MAGIC, report.optionalMagic);
#else
    EXPECT_EQ(IMAGE_FILE_MACHINE_I386, report.machine);
    EXPECT_EQ(IMAGE_NT_OPTIONAL_HDR32_MAGIC, report.optionalMagic);
#endif

    const std::set<std::string> allowed = {"KERNEL32.DLL", "USER32.DLL",   "GDI32.DLL",
                                           "SHELL32.DLL",  "ADVAPI32.DLL", "MSVCRT.DLL"};
    std::set<std::string> imported;
    for (const std::string& dll : report.dlls) imported.insert(upper(dll));
    for (const std::string& dll : imported) {
        EXPECT_EQ(1u, allowed.count(dll)) << dll << " is not on every Windows";
    }
    // Every Windows program needs these two; their absence means the table was misread.
    EXPECT_EQ(1u, imported.count("KERNEL32.DLL"));
    EXPECT_EQ(1u, imported.count("USER32.DLL"));
}

// The program lies on media anyone may have written to: its code and data are placed at
// random addresses and data never runs as code.
TEST(ImportTable, AddressRandomisationAndDataExecutionPrevention) {
    const ImportReport report = readImports(readWholeFile(builtProgramPath()));
    ASSERT_EQ("", report.error);
    EXPECT_TRUE(report.dllCharacteristics & IMAGE_DLLCHARACTERISTICS_DYNAMIC_BASE);
    EXPECT_TRUE(report.dllCharacteristics & IMAGE_DLLCHARACTERISTICS_NX_COMPAT);
#ifdef _WIN64
    EXPECT_TRUE(report.dllCharacteristics & IMAGE_DLLCHARACTERISTICS_HIGH_ENTROPY_VA);
#endif
}

}  // namespace
