#include "branded_files.h"

#include <windows.h>

#include <cstring>

std::vector<std::string> filesIn(const std::string& folder) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
        if (std::strcmp(found.cFileName, ".") != 0 && std::strcmp(found.cFileName, "..") != 0)
            names.push_back(found.cFileName);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return names;
}

std::string versionText(const std::string& path, const char* key) {
    DWORD handle = 0;
    std::vector<char> block(GetFileVersionInfoSizeA(path.c_str(), &handle));
    if (block.empty() ||
        !GetFileVersionInfoA(path.c_str(), 0, static_cast<DWORD>(block.size()), block.data()))
        return "(no version)";
    char* text = nullptr;
    UINT length = 0;
    const std::string query = std::string("\\StringFileInfo\\040904B0\\") + key;
    if (!VerQueryValueA(block.data(), query.c_str(), reinterpret_cast<void**>(&text), &length))
        return "(missing)";
    return std::string(text);
}

std::uint32_t number(const std::string& data, std::size_t offset, std::size_t bytes) {
    std::uint32_t value = 0;
    for (std::size_t i = bytes; i > 0; --i)
        value = value * 256 + static_cast<unsigned char>(data.at(offset + i - 1));
    return value;
}

void put(std::string& file, std::size_t offset, std::size_t bytes, std::uint32_t value) {
    for (std::size_t i = 0; i < bytes; ++i, value >>= 8)
        file.at(offset + i) = static_cast<char>(value & 0xFF);
}

std::string signedCopy(std::string menu, std::size_t count) {
    const std::size_t pe = number(menu, 0x3C, 4);
    const bool wide = number(menu, pe + 24, 2) == 0x20B;
    const std::size_t directory = pe + 24 + (wide ? 112 : 96) + 4 * 8;
    while (menu.size() % 8 != 0) menu.push_back('\0');
    const std::size_t offset = menu.size();
    std::string certificate(64, '\x5A');
    put(certificate, 0, 4, 64);      // length
    put(certificate, 4, 2, 0x0200);  // WIN_CERT_REVISION_2_0
    put(certificate, 6, 2, 0x0002);  // WIN_CERT_TYPE_PKCS_SIGNED_DATA
    for (std::size_t i = 0; i < count; ++i) menu += certificate;
    put(menu, directory, 4, static_cast<std::uint32_t>(offset));
    put(menu, directory + 4, 4, static_cast<std::uint32_t>(64 * count));
    return menu;
}
