// The resources compiled into the built program, read back from the file: the menu's
// window template, picture and icons, the manifest and the version block.
#include <windows.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <map>
#include <regex>
#include <string>
#include <vector>

#include "built_program.h"
#include "resources/resource_ids.h"
#include "version.h"

namespace {

const WORD kRussian = MAKELANGID(LANG_RUSSIAN, SUBLANG_DEFAULT);  // 1049
const WORD kNeutral = MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL);

// The built program opened for its resources only; nothing of it runs.
class ProgramResources : public ::testing::Test {
protected:
    void SetUp() override {
        module_ = LoadLibraryExA(builtProgramPath().c_str(), nullptr,
                                 LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
        ASSERT_NE(nullptr, module_) << builtProgramPath() << ": error " << GetLastError();
    }
    void TearDown() override {
        if (module_ != nullptr) FreeLibrary(module_);
    }

    // The bytes of one resource in one language; empty when there is none.
    std::string resource(LPCSTR type, WORD number, WORD language) const {
        HRSRC found = FindResourceExA(module_, type, MAKEINTRESOURCEA(number), language);
        if (found == nullptr) return {};
        HGLOBAL loaded = LoadResource(module_, found);
        const void* data = loaded != nullptr ? LockResource(loaded) : nullptr;
        if (data == nullptr) return {};
        return std::string(static_cast<const char*>(data), SizeofResource(module_, found));
    }

    // Every language in which the resource is present. Looking a resource up in one
    // language falls back to others, so this tells what the program really carries.
    std::vector<WORD> languages(LPCSTR type, WORD number) const {
        std::vector<WORD> found;
        EnumResourceLanguagesA(module_, type, MAKEINTRESOURCEA(number), collectLanguage,
                               reinterpret_cast<LONG_PTR>(&found));
        return found;
    }
    static BOOL CALLBACK collectLanguage(HMODULE, LPCSTR, LPCSTR, WORD language, LONG_PTR list) {
        reinterpret_cast<std::vector<WORD>*>(list)->push_back(language);
        return TRUE;
    }

    HMODULE module_ = nullptr;
};

TEST_F(ProgramResources, EachInTheLanguageTheMenuLoadsItFrom) {
    EXPECT_EQ(std::vector<WORD>{kRussian}, languages(RT_DIALOG, IDD_MENU));
    EXPECT_EQ(std::vector<WORD>{kRussian}, languages(RT_GROUP_ICON, IDI_MENU));
    EXPECT_EQ(std::vector<WORD>{kNeutral}, languages(RT_BITMAP, IDB_BACKGROUND));
}

// Little-endian fields written one after another, as resource compilers lay them out.
struct Bytes {
    std::string data;
    Bytes& u16(std::uint16_t v) {
        data.push_back(static_cast<char>(v & 0xFF));
        data.push_back(static_cast<char>(v >> 8));
        return *this;
    }
    Bytes& u32(std::uint32_t v) { return u16(v & 0xFFFF).u16(static_cast<std::uint16_t>(v >> 16)); }
    Bytes& text(const char* ascii) {
        while (*ascii != '\0') u16(static_cast<unsigned char>(*ascii++));
        return u16(0);
    }
};

TEST_F(ProgramResources, MenuTemplateIsTheClassicLayoutInRussian) {
    const std::string expected = Bytes{}
                                     .u32(0x00CA0AC4)  // style
                                     .u32(0)           // extended style
                                     .u16(0)           // no controls
                                     .u16(0)           // x
                                     .u16(0)           // y
                                     .u16(377)         // width in dialog units
                                     .u16(208)         // height in dialog units
                                     .u16(0)           // no menu
                                     .u16(0)           // the standard dialog class
                                     .text("")         // empty caption
                                     .u16(8)           // point size
                                     .text("MS Sans Serif")
                                     .data;
    ASSERT_EQ(54u, expected.size());
    const std::string actual = resource(RT_DIALOG, IDD_MENU, kRussian);
    // An extended template would start with the version 1 and the signature 0xFFFF.
    ASSERT_EQ(54u, actual.size());
    EXPECT_EQ(expected, actual);
}

TEST_F(ProgramResources, BackgroundPictureIs600By397At8BitsPerPixel) {
    const std::string bitmap = resource(RT_BITMAP, IDB_BACKGROUND, kNeutral);
    ASSERT_GE(bitmap.size(), sizeof(BITMAPINFOHEADER));
    BITMAPINFOHEADER header;
    std::memcpy(&header, bitmap.data(), sizeof header);
    EXPECT_EQ(40u, header.biSize);
    EXPECT_EQ(600, header.biWidth);
    EXPECT_EQ(397, header.biHeight);  // positive: rows stored from the bottom up
    EXPECT_EQ(1, header.biPlanes);
    EXPECT_EQ(8, header.biBitCount);
    EXPECT_EQ(static_cast<DWORD>(BI_RGB), header.biCompression);
    const DWORD colours = header.biClrUsed != 0 ? header.biClrUsed : 256;
    EXPECT_GE(bitmap.size(), 40u + colours * 4 + 397 * 600);

    if (!AUTORUN_MENU_OWN_BACKGROUND) GTEST_SKIP() << "built with an author's picture";
    // The project's own picture, byte for byte as it is stored.
    EXPECT_EQ(239266u, bitmap.size());
    EXPECT_EQ(0u, header.biSizeImage);
    EXPECT_EQ(2834, header.biXPelsPerMeter);
    EXPECT_EQ(2834, header.biYPelsPerMeter);
    EXPECT_EQ(0u, header.biClrUsed);
    EXPECT_EQ(0u, header.biClrImportant);
    // Header, 256 palette entries and 397 rows of 600 bytes leave exactly two bytes.
    ASSERT_EQ(40u + 256 * 4 + 397 * 600 + 2, bitmap.size());
    EXPECT_EQ(std::string(2, '\0'), bitmap.substr(bitmap.size() - 2));
}

#pragma pack(push, 2)
struct IconGroupHeader {
    WORD reserved, type, count;
};
struct IconGroupEntry {
    BYTE width, height, colours, reserved;
    WORD planes, bitCount;
    DWORD bytes;
    WORD id;
};
#pragma pack(pop)

TEST_F(ProgramResources, IconGroupHoldsSixSizesInThreeDepths) {
    struct Image {
        int size;
        int bitsPerPixel;
    };
    const std::string group = resource(RT_GROUP_ICON, IDI_MENU, kRussian);
    ASSERT_GE(group.size(), sizeof(IconGroupHeader));
    IconGroupHeader header;
    std::memcpy(&header, group.data(), sizeof header);
    EXPECT_EQ(1, header.type);
    ASSERT_EQ(sizeof header + header.count * sizeof(IconGroupEntry), group.size());

    std::map<int, Image> images;
    for (int i = 0; i < header.count; ++i) {
        IconGroupEntry entry;
        std::memcpy(&entry, group.data() + sizeof header + i * sizeof entry, sizeof entry);
        SCOPED_TRACE("icon " + std::to_string(entry.id));
        images[entry.id] = {entry.width, entry.bitCount};

        // The image the entry points at is there, as long as the entry says.
        const std::string image = resource(RT_ICON, entry.id, kRussian);
        ASSERT_EQ(entry.bytes, image.size());
        BITMAPINFOHEADER dib;
        ASSERT_GE(image.size(), sizeof dib);
        std::memcpy(&dib, image.data(), sizeof dib);
        if (dib.biSize != sizeof dib) continue;  // a PNG image
        // A DIB of the entry's size (twice as high, for the mask) and depth.
        EXPECT_EQ(entry.width, dib.biWidth);
        EXPECT_EQ(2 * entry.height, dib.biHeight);
        EXPECT_EQ(entry.bitCount, dib.biBitCount);
    }

    if (!AUTORUN_MENU_OWN_ICON) GTEST_SKIP() << "built with an author's icon";
    // Icon number: size in pixels and bits per pixel.
    const std::map<int, Image> expected = {
        {1, {16, 4}},   {2, {16, 8}},   {3, {18, 4}},   {4, {18, 8}},   {5, {20, 4}},
        {6, {20, 8}},   {7, {22, 4}},   {8, {22, 8}},   {9, {32, 4}},   {10, {32, 8}},
        {11, {48, 4}},  {12, {48, 8}},  {13, {16, 32}}, {14, {18, 32}}, {15, {20, 32}},
        {16, {22, 32}}, {17, {32, 32}}, {18, {48, 32}},
    };
    EXPECT_EQ(18, header.count);
    for (const auto& [id, image] : expected) {
        ASSERT_EQ(1u, images.count(id)) << "icon " << id << " missing";
        EXPECT_EQ(image.size, images[id].size) << "icon " << id;
        EXPECT_EQ(image.bitsPerPixel, images[id].bitsPerPixel) << "icon " << id;
    }
}

// The first element named `element` whose text holds `marker`, or empty.
std::string elementWith(const std::string& xml, const std::string& element,
                        const std::string& marker) {
    for (std::size_t start = xml.find("<" + element); start != std::string::npos;
         start = xml.find("<" + element, start + 1)) {
        const std::size_t end = xml.find('>', start);
        if (end == std::string::npos) break;
        const std::string text = xml.substr(start, end - start + 1);
        if (text.find(marker) != std::string::npos) return text;
    }
    return {};
}

TEST_F(ProgramResources, ManifestRunsAsInvokerOnWindows7To11) {
    HRSRC found = FindResourceA(module_, MAKEINTRESOURCEA(1), RT_MANIFEST);
    ASSERT_NE(nullptr, found);
    const std::string manifest(static_cast<const char*>(LockResource(LoadResource(module_, found))),
                               SizeofResource(module_, found));

    const std::string privileges = elementWith(manifest, "requestedExecutionLevel", "level=");
    EXPECT_NE(std::string::npos, privileges.find("level=\"asInvoker\"")) << privileges;

    for (const char* windows : {
             "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}",  // 7
             "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}",  // 8
             "{1f676c76-80e1-4239-95bb-83d0f6d0da78}",  // 8.1
             "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}",  // 10 and 11
         }) {
        EXPECT_NE("", elementWith(manifest, "supportedOS", windows)) << windows;
    }

    const std::string controls =
        elementWith(manifest, "assemblyIdentity", "\"Microsoft.Windows.Common-Controls\"");
    ASSERT_NE("", controls);
    EXPECT_NE(std::string::npos, controls.find("version=\"6.0.0.0\"")) << controls;

    EXPECT_TRUE(std::regex_search(manifest, std::regex("<dpiAware[^>]*>\\s*false\\s*</dpiAware>")));
    EXPECT_TRUE(
        std::regex_search(manifest, std::regex("<gdiScaling[^>]*>\\s*true\\s*</gdiScaling>")));
}

TEST(ProgramVersion, NamesTheProductAndItsVersion) {
    const std::string path = builtProgramPath();
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeA(path.c_str(), &ignored);
    ASSERT_GT(size, 0u) << "no version block, error " << GetLastError();
    std::vector<char> block(size);
    ASSERT_TRUE(GetFileVersionInfoA(path.c_str(), 0, size, block.data()));

    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueA(block.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
    ASSERT_EQ(sizeof(VS_FIXEDFILEINFO), length);
    EXPECT_EQ(0xFEEF04BDu, fixed->dwSignature);
    // The numbers come from the project's version, the one place it is written.
    EXPECT_EQ(MAKELONG(AUTORUN_MENU_VERSION_MINOR, AUTORUN_MENU_VERSION_MAJOR),
              fixed->dwFileVersionMS);
    EXPECT_EQ(MAKELONG(0, AUTORUN_MENU_VERSION_PATCH), fixed->dwFileVersionLS);
    EXPECT_EQ(fixed->dwFileVersionMS, fixed->dwProductVersionMS);
    EXPECT_EQ(fixed->dwFileVersionLS, fixed->dwProductVersionLS);
    EXPECT_EQ(static_cast<DWORD>(VFT_APP), fixed->dwFileType);

    struct Translation {
        WORD language, codePage;
    };
    Translation* translation = nullptr;
    ASSERT_TRUE(VerQueryValueA(block.data(), "\\VarFileInfo\\Translation",
                               reinterpret_cast<void**>(&translation), &length));
    ASSERT_GE(length, sizeof(Translation));
    char prefix[64];
    std::snprintf(prefix, sizeof prefix, "\\StringFileInfo\\%04x%04x\\", translation->language,
                  translation->codePage);
    auto text = [&](const char* name) -> std::string {
        char* value = nullptr;
        UINT chars = 0;
        const std::string query = prefix + std::string(name);
        if (!VerQueryValueA(block.data(), query.c_str(), reinterpret_cast<void**>(&value),
                            &chars) ||
            value == nullptr) {
            return {};
        }
        return value;
    };
    EXPECT_EQ("autorun-menu", text("ProductName"));
    EXPECT_NE("", text("FileDescription"));
    EXPECT_EQ(AUTORUN_MENU_VERSION_TEXT, text("FileVersion"));
    EXPECT_EQ(AUTORUN_MENU_VERSION_TEXT, text("ProductVersion"));
}

}  // namespace
