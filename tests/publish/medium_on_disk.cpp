#include "medium_on_disk.h"

#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "publish/utf16_text.h"

namespace fs = std::filesystem;

TempFolder::TempFolder() {
    std::string pattern = (fs::temp_directory_path() / "publish-test-XXXXXX").string();
    if (mkdtemp(pattern.data()) != nullptr) path_ = pattern;
}

TempFolder::~TempFolder() {
    std::error_code ignored;
    if (!path_.empty()) fs::remove_all(path_, ignored);
}

namespace {

ImageEntry* childFolder(ImageEntry& folder, const std::string& name, std::int64_t time) {
    const std::u16string wide = utf16FromUtf8(name);
    for (ImageEntry& child : folder.children) {
        if (child.folder && child.name == wide) return &child;
    }
    ImageEntry entry = folderEntry(name);
    entry.time = time;
    folder.children.push_back(entry);
    return &folder.children.back();
}

}  // namespace

ImageEntry layOutMedium(const std::string& root, const std::vector<MediumItem>& items,
                        std::int64_t time) {
    ImageEntry tree;
    tree.folder = true;
    tree.time = time;
    for (const MediumItem& item : items) {
        ImageEntry* folder = &tree;
        std::string rest = item.path;
        fs::path onDisk = fs::u8path(root);
        for (std::size_t slash; (slash = rest.find('/')) != std::string::npos;) {
            const std::string part = rest.substr(0, slash);
            rest = rest.substr(slash + 1);
            onDisk /= fs::u8path(part);
            fs::create_directories(onDisk);
            folder = childFolder(*folder, part, time);
        }
        if (rest.empty()) {
            folder->hidden = item.hidden;
            continue;
        }
        onDisk /= fs::u8path(rest);
        std::ofstream out(onDisk, std::ios::binary);
        std::string chunk(1 << 16, '\0');
        std::uint64_t written = 0;
        std::uint32_t seed = static_cast<std::uint32_t>(std::hash<std::string>{}(item.path));
        while (written < item.size) {
            const std::size_t piece = static_cast<std::size_t>(
                std::min<std::uint64_t>(chunk.size(), item.size - written));
            for (std::size_t i = 0; i < piece; ++i) {
                seed = seed * 1664525u + 1013904223u;
                chunk[i] = static_cast<char>(seed >> 24);
            }
            out.write(chunk.data(), static_cast<std::streamsize>(piece));
            written += piece;
        }
        ImageEntry file = fileEntry(rest, item.size, onDisk.string());
        file.hidden = item.hidden;
        file.time = time;
        folder->children.push_back(file);
    }
    return tree;
}

FileReader diskReader() {
    return [](const ImageEntry& file,
              const std::function<bool(const std::uint8_t*, std::size_t)>& deliver,
              std::string& problem) {
        std::ifstream in(file.source, std::ios::binary);
        if (!in) {
            problem = "cannot be opened";
            return false;
        }
        std::vector<char> buffer(1 << 16);
        while (in) {
            in.read(buffer.data(), static_cast<std::streamsize>(buffer.size()));
            const std::streamsize got = in.gcount();
            if (got <= 0) break;
            if (!deliver(reinterpret_cast<const std::uint8_t*>(buffer.data()),
                         static_cast<std::size_t>(got))) {
                return false;
            }
        }
        return true;
    };
}

std::string writeImageFile(const ImagePlan& plan, const std::string& imagePath) {
    std::FILE* out = std::fopen(imagePath.c_str(), "wb");
    if (out == nullptr) return "cannot create " + imagePath;
    std::string problem;
    const bool written = writeImage(
        plan, diskReader(),
        [&](const std::uint8_t* bytes, std::size_t size) {
            return std::fwrite(bytes, 1, size, out) == size;
        },
        problem);
    std::fclose(out);
    return written ? "" : (problem.empty() ? "failed" : problem);
}

bool hasProgram(const std::string& name) {
    return std::system(("command -v " + name + " >/dev/null 2>&1").c_str()) == 0;
}

std::string runCommand(const std::string& command, int* status) {
    std::string output;
    std::FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) {
        if (status != nullptr) *status = -1;
        return output;
    }
    char buffer[4096];
    std::size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) output.append(buffer, got);
    const int code = pclose(pipe);
    if (status != nullptr) *status = WIFEXITED(code) ? WEXITSTATUS(code) : -1;
    return output;
}

std::string shellQuoted(const std::string& text) {
    std::string quoted = "'";
    for (char c : text) {
        if (c == '\'') {
            quoted += "'\\''";
        } else {
            quoted.push_back(c);
        }
    }
    return quoted + "'";
}

std::string fileBytes(const std::string& path) {
    std::ifstream in(fs::u8path(path), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}
