// The publish tool's image writing against plain copying, in one run over one medium of
// 1 GiB made in the temporary folder: four large files and 2,000 small ones. The baseline
// lists the medium's files as the tool does, reads every one once and writes them all into
// one file; the image lists them, lays the image out and writes it as the tool does (the
// checker aside). Both read and write through the system's cache in 1 MiB pieces.
// Each is timed seven times, alternating; then the process's peak memory.
// Usage: publish-bench [MiB of the medium, default 1024]
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "publish/image_plan.h"
#include "publish/tool/file_reading.h"
#include "publish/tool/image_file.h"
#include "publish/tool/medium_tree.h"
#include "publish/tool/tool_paths.h"

namespace {

constexpr std::size_t kPiece = 1 << 20;
constexpr int kSmallFiles = 2000;
constexpr int kLargeFiles = 4;
constexpr int kRounds = 7;

double nowSeconds() {
    LARGE_INTEGER frequency, now;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

bool writeFileOf(const std::wstring& path, std::uint64_t size, std::uint32_t seed,
                 std::vector<std::uint8_t>& buffer) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    bool ok = true;
    while (size > 0 && ok) {
        const DWORD piece = static_cast<DWORD>(size < kPiece ? size : kPiece);
        for (DWORD i = 0; i < piece; i += 4) {
            seed = seed * 1664525u + 1013904223u;
            buffer[i] = static_cast<std::uint8_t>(seed >> 24);
        }
        DWORD written = 0;
        ok = WriteFile(file, buffer.data(), piece, &written, nullptr) && written == piece;
        size -= piece;
    }
    CloseHandle(file);
    return ok;
}

// The medium: kLargeFiles files sharing most of the bytes, kSmallFiles of 1 to ~100 KiB in
// 20 folders sharing the rest.
bool makeMedium(const std::wstring& root, std::uint64_t totalBytes) {
    std::vector<std::uint8_t> buffer(kPiece);
    CreateDirectoryW(root.c_str(), nullptr);
    std::uint64_t smallBytes = 0;
    for (int i = 0; i < kSmallFiles; ++i) {
        const std::wstring folder = joinedPath(root, L"folder " + std::to_wstring(i % 20));
        CreateDirectoryW(folder.c_str(), nullptr);
        const std::uint64_t size = 1024 + (static_cast<std::uint64_t>(i) * 7919 % 100) * 1024;
        smallBytes += size;
        if (!writeFileOf(joinedPath(folder, L"file " + std::to_wstring(i) + L".dat"), size,
                         static_cast<std::uint32_t>(i), buffer)) {
            return false;
        }
    }
    const std::uint64_t large = (totalBytes - smallBytes) / kLargeFiles;
    for (int i = 0; i < kLargeFiles; ++i) {
        if (!writeFileOf(joinedPath(root, L"large " + std::to_wstring(i) + L".cab"), large,
                         static_cast<std::uint32_t>(100000 + i), buffer)) {
            return false;
        }
    }
    return true;
}

double fastest(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values.front();
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

void collectFiles(const ImageEntry& folder, std::vector<const ImageEntry*>& files) {
    for (const ImageEntry& child : folder.children) {
        if (child.folder) {
            collectFiles(child, files);
        } else {
            files.push_back(&child);
        }
    }
}

// Finds every file of the medium, reads each once and writes them all into `out`.
bool copyIntoOneFile(const std::wstring& medium, const std::wstring& out) {
    ImageEntry tree;
    std::vector<ImageRefusal> refusals;
    std::string problem;
    if (!readMediumTree(medium, tree, refusals, problem)) return false;
    std::vector<const ImageEntry*> files;
    collectFiles(tree, files);
    HANDLE target = CreateFileW(out.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (target == INVALID_HANDLE_VALUE) return false;
    std::vector<std::uint8_t> buffer(kPiece);
    bool ok = true;
    for (const ImageEntry* file : files) {
        HANDLE source = CreateFileW(wideOf(file->source).c_str(), GENERIC_READ, FILE_SHARE_READ,
                                    nullptr, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
        if (source == INVALID_HANDLE_VALUE) {
            ok = false;
            break;
        }
        DWORD got = 0;
        while (ok && ReadFile(source, buffer.data(), kPiece, &got, nullptr) && got > 0) {
            DWORD written = 0;
            ok = WriteFile(target, buffer.data(), got, &written, nullptr) && written == got;
        }
        CloseHandle(source);
        if (!ok) break;
    }
    ok = ok && FlushFileBuffers(target);
    CloseHandle(target);
    return ok;
}

bool writeImageOf(const std::wstring& medium, const std::wstring& out, std::uint64_t& bytes) {
    ImageEntry tree;
    std::vector<ImageRefusal> refusals;
    std::string problem;
    if (!readMediumTree(medium, tree, refusals, problem) || !refusals.empty()) return false;
    ImageOptions options;
    options.label = u"BENCH";
    options.fixedTime = true;
    const ImagePlan plan = planImage(tree, options);
    if (!plan.writable()) return false;
    bytes = plan.imageBytes();
    return writeImageFile(plan, mediumFileReader(), out, problem) == WriteOutcome::written;
}

}  // namespace

int main(int argc, char** argv) {
    const std::uint64_t mebibytes = argc > 1 ? std::strtoull(argv[1], nullptr, 10) : 1024;
    wchar_t temp[MAX_PATH + 1];
    GetTempPathW(MAX_PATH + 1, temp);
    const std::wstring work =
        joinedPath(temp, L"publish-bench-" + std::to_wstring(GetCurrentProcessId()));
    CreateDirectoryW(work.c_str(), nullptr);
    const std::wstring medium = joinedPath(work, L"medium");
    const std::wstring copy = joinedPath(work, L"all-files.bin");
    const std::wstring image = joinedPath(work, L"medium.iso");

    std::printf(
        "Publishing a medium of %llu MiB (%d large files, %d small ones in 20 "
        "folders)\n",
        static_cast<unsigned long long>(mebibytes), kLargeFiles, kSmallFiles);
    int exitCode = 0;
    if (!makeMedium(medium, mebibytes << 20)) {
        std::printf("  the medium could not be made\n");
        exitCode = 1;
    }
    ImageEntry tree;
    std::vector<ImageRefusal> refusals;
    std::string problem;

    const double listBegin = nowSeconds();
    if (exitCode == 0 && !readMediumTree(medium, tree, refusals, problem)) exitCode = 1;
    const double listing = nowSeconds() - listBegin;

    std::vector<double> baseline, imaging;
    std::uint64_t imageBytes = 0;
    for (int round = 0; round < kRounds && exitCode == 0; ++round) {
        double begin = nowSeconds();
        if (!copyIntoOneFile(medium, copy)) exitCode = 1;
        baseline.push_back(nowSeconds() - begin);
        DeleteFileW(copy.c_str());
        begin = nowSeconds();
        if (!writeImageOf(medium, image, imageBytes)) exitCode = 1;
        imaging.push_back(nowSeconds() - begin);
        DeleteFileW(image.c_str());
    }
    if (exitCode == 0) {
        std::printf("  %-44s", "find, read every file, write them into one:");
        for (double s : baseline) std::printf(" %7.2f s", s);
        std::printf("\n  %-44s", "the image (tree read, laid out, written):");
        for (double s : imaging) std::printf(" %7.2f s", s);
        std::printf("\n  %-44s %7.3f s", "listing the medium's files alone:", listing);
        std::printf(
            "\n  image / baseline: fastest of each %.2f, medians %.2f (goal 1.30); image "
            "%llu bytes\n",
            fastest(imaging) / fastest(baseline), median(imaging) / median(baseline),
            static_cast<unsigned long long>(imageBytes));
    } else {
        std::printf("  failed\n");
    }
    PROCESS_MEMORY_COUNTERS memory = {};
    memory.cb = sizeof memory;
    if (GetProcessMemoryInfo(GetCurrentProcess(), &memory, sizeof memory)) {
        std::printf("  peak memory: working set %.1f MiB, committed %.1f MiB (bound 64 MiB)\n",
                    memory.PeakWorkingSetSize / 1048576.0, memory.PeakPagefileUsage / 1048576.0);
    }

    // The medium goes again: its files, its folders, the work folder.
    std::vector<const ImageEntry*> files;
    collectFiles(tree, files);
    for (const ImageEntry* file : files) DeleteFileW(wideOf(file->source).c_str());
    for (int i = 0; i < 20; ++i) {
        RemoveDirectoryW(joinedPath(medium, L"folder " + std::to_wstring(i)).c_str());
    }
    RemoveDirectoryW(medium.c_str());
    RemoveDirectoryW(work.c_str());
    return exitCode;
}
