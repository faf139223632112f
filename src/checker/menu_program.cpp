#include "checker/menu_program.h"

#include <windows.h>

#include <algorithm>
#include <vector>

namespace {

constexpr WORD kPictureId = 111;
constexpr WORD kWindowId = 103;
constexpr LONG kLargestSide = 8192;

// The program's resources only: nothing of it runs.
HMODULE openResources(const std::string& program) {
    // As a plain data file: a copy whose resources a tool rewrote need not map as an image.
    return LoadLibraryExA(program.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
}

// The bytes of the colour table after the header (checked by bitsNeeded).
std::size_t colourTableBytes(const BITMAPINFOHEADER& header) {
    if (header.biBitCount > 8) return 0;
    return (header.biClrUsed != 0 ? header.biClrUsed : std::size_t(1) << header.biBitCount) *
           sizeof(RGBQUAD);
}

// The bytes of colour table and pixels a packed bitmap needs after its header, or 0 when
// the header describes nothing the platform draws from memory.
std::size_t bitsNeeded(const BITMAPINFOHEADER& header, DWORD resourceSize) {
    if (header.biSize < sizeof(BITMAPINFOHEADER) || header.biSize > resourceSize) return 0;
    if (header.biWidth <= 0 || header.biWidth > kLargestSide || header.biHeight == 0 ||
        header.biHeight > kLargestSide || header.biHeight < -kLargestSide || header.biPlanes != 1)
        return 0;
    if (header.biCompression != BI_RGB) return 0;
    const WORD bits = header.biBitCount;
    if (bits != 1 && bits != 4 && bits != 8 && bits != 24 && bits != 32) return 0;
    if (bits <= 8 && header.biClrUsed > (DWORD(1) << bits)) return 0;
    const std::size_t stride = ((static_cast<std::size_t>(header.biWidth) * bits + 31) / 32) * 4;
    const std::size_t rows =
        static_cast<std::size_t>(header.biHeight < 0 ? -header.biHeight : header.biHeight);
    return colourTableBytes(header) + stride * rows;
}

}  // namespace

bool carriesMenuPicture(const std::string& program) {
    HMODULE module = openResources(program);
    if (module == nullptr) return false;
    const bool carries =
        FindResourceA(module, MAKEINTRESOURCEA(kPictureId), RT_BITMAP) != nullptr &&
        FindResourceA(module, MAKEINTRESOURCEA(kWindowId), RT_DIALOG) != nullptr;
    FreeLibrary(module);
    return carries;
}

std::string findMenuProgram(const std::string& folder) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "*.exe").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return {};
    do {
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0)
            names.push_back(found.cFileName);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    std::sort(names.begin(), names.end());
    for (const std::string& name : names) {
        if (carriesMenuPicture(folder + name)) return folder + name;
    }
    return {};
}

bool readMenuPicture(const std::string& program, Picture& picture, std::string& reason) {
    HMODULE module = openResources(program);
    if (module == nullptr) {
        reason = "cannot be read as a program";
        return false;
    }
    bool ok = false;
    HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(kPictureId), RT_BITMAP);
    HGLOBAL loaded = found != nullptr ? LoadResource(module, found) : nullptr;
    const void* data = loaded != nullptr ? LockResource(loaded) : nullptr;
    const DWORD size = found != nullptr ? SizeofResource(module, found) : 0;
    reason = "carries no picture (bitmap 111)";
    if (data != nullptr && size >= sizeof(BITMAPINFOHEADER)) {
        const auto* header = static_cast<const BITMAPINFOHEADER*>(data);
        const std::size_t needed = bitsNeeded(*header, size);
        reason = "its picture (bitmap 111) is not an uncompressed bitmap the checker can read";
        if (needed != 0 && header->biSize + needed <= size) {
            const int width = header->biWidth;
            const int height = header->biHeight < 0 ? -header->biHeight : header->biHeight;
            // Drawn by the platform into 32-bit pixels, rows from the top.
            BITMAPINFO target = {};
            target.bmiHeader.biSize = sizeof target.bmiHeader;
            target.bmiHeader.biWidth = width;
            target.bmiHeader.biHeight = -height;
            target.bmiHeader.biPlanes = 1;
            target.bmiHeader.biBitCount = 32;
            target.bmiHeader.biCompression = BI_RGB;
            void* pixels = nullptr;
            HDC dc = CreateCompatibleDC(nullptr);
            HBITMAP bitmap = CreateDIBSection(dc, &target, DIB_RGB_COLORS, &pixels, nullptr, 0);
            if (dc != nullptr && bitmap != nullptr) {
                HGDIOBJ kept = SelectObject(dc, bitmap);
                const auto* source = static_cast<const BYTE*>(data);
                const BYTE* bits = source + header->biSize + colourTableBytes(*header);
                if (StretchDIBits(dc, 0, 0, width, height, 0, 0, width, height, bits,
                                  reinterpret_cast<const BITMAPINFO*>(header), DIB_RGB_COLORS,
                                  SRCCOPY) != 0) {
                    GdiFlush();
                    picture.width = width;
                    picture.height = height;
                    picture.pixels.resize(static_cast<std::size_t>(width) * height);
                    const auto* quads = static_cast<const std::uint32_t*>(pixels);
                    for (std::size_t i = 0; i < picture.pixels.size(); ++i) {
                        // 0x00RRGGBB in memory order to red in the lowest byte.
                        const std::uint32_t p = quads[i];
                        picture.pixels[i] = (p >> 16 & 0xFF) | (p & 0xFF00) | (p & 0xFF) << 16;
                    }
                    ok = true;
                }
                SelectObject(dc, kept);
            }
            if (bitmap != nullptr) DeleteObject(bitmap);
            if (dc != nullptr) DeleteDC(dc);
        }
    }
    FreeLibrary(module);
    if (ok) reason.clear();
    return ok;
}
