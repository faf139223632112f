#include "checker/menu_program.h"

#include <windows.h>

#include <algorithm>
#include <vector>

#include "checker/bitmap_layout.h"
#include "resources/resource_ids.h"

namespace {

// How the findings name the menu's picture: "bitmap" and its resource number.
std::string pictureName() { return "bitmap " + std::to_string(IDB_BACKGROUND); }

// The program's resources only: nothing of it runs.
HMODULE openResources(const std::string& program) {
    // As a plain data file: a copy whose resources a tool rewrote need not map as an image.
    return LoadLibraryExA(program.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
}

// The pixels of the packed bitmap at `data`, drawn by the platform into 32-bit pixels, rows
// from the top. False when the platform cannot draw it.
bool drawPicture(const void* data, const BitmapLayout& layout, Picture& picture) {
    BITMAPINFO target = {};
    target.bmiHeader.biSize = sizeof target.bmiHeader;
    target.bmiHeader.biWidth = layout.width;
    target.bmiHeader.biHeight = -layout.height;
    target.bmiHeader.biPlanes = 1;
    target.bmiHeader.biBitCount = 32;
    target.bmiHeader.biCompression = BI_RGB;
    void* pixels = nullptr;
    bool ok = false;
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bitmap = CreateDIBSection(dc, &target, DIB_RGB_COLORS, &pixels, nullptr, 0);
    if (dc != nullptr && bitmap != nullptr) {
        HGDIOBJ kept = SelectObject(dc, bitmap);
        // The header, masks and colour table as the resource holds them, then its pixels.
        const BYTE* bits = static_cast<const BYTE*>(data) + layout.pixelsOffset;
        if (StretchDIBits(dc, 0, 0, layout.width, layout.height, 0, 0, layout.width, layout.height,
                          bits, static_cast<const BITMAPINFO*>(data), DIB_RGB_COLORS,
                          SRCCOPY) != 0) {
            GdiFlush();
            picture.width = layout.width;
            picture.height = layout.height;
            picture.pixels.resize(static_cast<std::size_t>(layout.width) * layout.height);
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
    return ok;
}

}  // namespace

bool carriesMenuPicture(const std::string& program) {
    HMODULE module = openResources(program);
    if (module == nullptr) return false;
    const bool carries =
        FindResourceA(module, MAKEINTRESOURCEA(IDB_BACKGROUND), RT_BITMAP) != nullptr &&
        FindResourceA(module, MAKEINTRESOURCEA(IDD_MENU), RT_DIALOG) != nullptr;
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
    const bool ok = readPictureResource(module, picture, reason);
    FreeLibrary(module);
    return ok;
}

bool pictureFromBitmap(const void* bitmap, std::size_t size, Picture& picture) {
    BitmapLayout layout;
    return bitmapLayout(static_cast<const unsigned char*>(bitmap), size, layout) &&
           drawPicture(bitmap, layout, picture);
}

bool readPictureResource(HMODULE module, Picture& picture, std::string& reason) {
    HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(IDB_BACKGROUND), RT_BITMAP);
    HGLOBAL loaded = found != nullptr ? LoadResource(module, found) : nullptr;
    const void* data = loaded != nullptr ? LockResource(loaded) : nullptr;
    const DWORD size = found != nullptr ? SizeofResource(module, found) : 0;
    bool ok = false;
    if (data == nullptr) {
        reason = "carries no picture (" + pictureName() + ")";
    } else if (pictureFromBitmap(data, size, picture)) {
        reason.clear();
        ok = true;
    } else {
        reason = "its picture (" + pictureName() +
                 ") is not an uncompressed bitmap the checker can read";
    }
    return ok;
}
