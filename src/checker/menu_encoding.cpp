#include "checker/menu_encoding.h"

#include <windows.h>

#include <vector>

#include "console/console_text.h"

namespace {

std::wstring wideFromUtf16File(const std::string& bytes) {
    const bool bigEndian = bytes.size() >= 2 && static_cast<unsigned char>(bytes[0]) == 0xFE;
    std::wstring wide;
    for (std::size_t i = 2; i + 1 < bytes.size(); i += 2) {
        const unsigned first = static_cast<unsigned char>(bytes[i]);
        const unsigned second = static_cast<unsigned char>(bytes[i + 1]);
        wide.push_back(static_cast<wchar_t>(bigEndian ? first << 8 | second : second << 8 | first));
    }
    return wide;
}

// Writes `bytes` into a new file in the temporary folder; its path, or empty when it cannot
// be written.
std::string temporaryCopy(const std::string& bytes) {
    char folder[MAX_PATH];
    char name[MAX_PATH];
    const DWORD length = GetTempPathA(sizeof folder, folder);
    if (length == 0 || length >= sizeof folder || GetTempFileNameA(folder, "amc", 0, name) == 0)
        return {};
    HANDLE file =
        CreateFileA(name, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        DeleteFileA(name);
        return {};
    }
    DWORD written = 0;
    const bool ok =
        WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) != 0 &&
        written == bytes.size();
    CloseHandle(file);
    if (!ok) {
        DeleteFileA(name);
        return {};
    }
    return name;
}

}  // namespace

std::string utf8FromUtf16File(const std::string& bytes) {
    return utf8FromWideText(wideFromUtf16File(bytes));
}

std::string utf16FileInCodePage(const std::string& bytes, unsigned codePage) {
    return inCodePage(wideFromUtf16File(bytes), codePage, nullptr);
}

std::vector<std::string> charactersOutside(const std::string& text, unsigned codePage) {
    const std::wstring wide = wideFromCodePage(text, CP_UTF8);
    std::vector<std::string> outside;
    for (std::size_t i = 0; i < wide.size();) {
        // A character outside the basic plane is two UTF-16 units.
        const std::size_t units =
            wide[i] >= 0xD800 && wide[i] <= 0xDBFF && i + 1 < wide.size() ? 2 : 1;
        const std::wstring character = wide.substr(i, units);
        i += units;
        bool lossy = false;
        inCodePage(character, codePage, &lossy);
        if (!lossy) continue;
        const std::string named = utf8FromWideText(character);
        bool seen = false;
        for (const std::string& earlier : outside) seen = seen || earlier == named;
        if (!seen) outside.push_back(named);
    }
    return outside;
}

MenuFileViews::MenuFileViews(const std::string& path, const std::string& bytes)
    : path_(path),
      bytes_(bytes),
      reading_(path),
      utf16_(bytes.size() >= 2 && static_cast<unsigned char>(bytes[0]) == 0xFF &&
             static_cast<unsigned char>(bytes[1]) == 0xFE) {
    if (utf16_) wide_ = wideFromUtf16File(bytes);
}

MenuFileViews::~MenuFileViews() {
    for (const auto& copy : copies_) {
        if (!copy.second.empty()) DeleteFileA(copy.second.c_str());
    }
    if (reading_ != path_) DeleteFileA(reading_.c_str());
}

bool MenuFileViews::readThroughCopy(bool withoutMark) {
    if (reading_ != path_) return true;
    const std::string copy =
        temporaryCopy(withoutMark ? bytes_.substr(bytes_.size() < 2 ? bytes_.size() : 2) : bytes_);
    if (copy.empty()) return false;
    reading_ = copy;
    return true;
}

std::string MenuFileViews::fileFor(unsigned codePage) {
    if (!utf16_) return reading_;
    const auto known = copies_.find(codePage);
    if (known != copies_.end()) return known->second;
    return copies_[codePage] = temporaryCopy(inCodePage(wide_, codePage, nullptr));
}
