#include "publish/tool/file_reading.h"

#include <windows.h>

#include <memory>

#include "bytes/sha256.h"
#include "console/system_error.h"
#include "publish/tool/tool_paths.h"

namespace {

constexpr DWORD kPiece = 1 << 20;

// A page-aligned buffer: reads past the cache need one aligned to the drive's sectors.
struct PageBuffer {
    PageBuffer()
        : bytes(static_cast<std::uint8_t*>(
              VirtualAlloc(nullptr, kPiece, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE))) {}
    ~PageBuffer() {
        if (bytes != nullptr) VirtualFree(bytes, 0, MEM_RELEASE);
    }
    PageBuffer(const PageBuffer&) = delete;
    PageBuffer& operator=(const PageBuffer&) = delete;
    std::uint8_t* bytes;
};

}  // namespace

FileReader mediumFileReader() {
    auto buffer = std::make_shared<PageBuffer>();
    return [buffer](const ImageEntry& file,
                    const std::function<bool(const std::uint8_t*, std::size_t)>& deliver,
                    std::string& problem) {
        if (buffer->bytes == nullptr) {
            problem = "no memory to read it";
            return false;
        }
        const std::wstring path = longPath(wideOf(file.source));
        HANDLE handle = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                    OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
        if (handle == INVALID_HANDLE_VALUE) {
            problem = "cannot be opened: " + systemErrorText(GetLastError());
            return false;
        }
        bool ok = true;
        for (;;) {
            DWORD got = 0;
            if (!ReadFile(handle, buffer->bytes, kPiece, &got, nullptr)) {
                problem = "cannot be read: " + systemErrorText(GetLastError());
                ok = false;
                break;
            }
            if (got == 0) break;
            if (!deliver(buffer->bytes, got)) {
                ok = false;
                break;
            }
        }
        CloseHandle(handle);
        return ok;
    };
}

bool fileDigest(const std::wstring& path, bool pastCache, Bytes& digest, std::string& problem) {
    PageBuffer buffer;
    if (buffer.bytes == nullptr) {
        problem = "no memory to read it";
        return false;
    }
    const DWORD flags = FILE_FLAG_SEQUENTIAL_SCAN | (pastCache ? FILE_FLAG_NO_BUFFERING : 0);
    HANDLE handle = CreateFileW(longPath(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                OPEN_EXISTING, flags, nullptr);
    if (handle == INVALID_HANDLE_VALUE && pastCache && GetLastError() == ERROR_INVALID_PARAMETER) {
        // A file system that cannot be read past the cache is read through it.
        handle = CreateFileW(longPath(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                             OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    }
    if (handle == INVALID_HANDLE_VALUE) {
        problem = "cannot be opened: " + systemErrorText(GetLastError());
        return false;
    }
    Sha256 sha;
    bool ok = true;
    for (;;) {
        // Without the cache, reads are whole sectors: kPiece is a multiple of every sector
        // size and the buffer is page-aligned; the last read returns what the file holds.
        DWORD got = 0;
        if (!ReadFile(handle, buffer.bytes, kPiece, &got, nullptr)) {
            problem = "cannot be read: " + systemErrorText(GetLastError());
            ok = false;
            break;
        }
        if (got == 0) break;
        sha.add(buffer.bytes, got);
    }
    CloseHandle(handle);
    if (ok) digest = sha.finish();
    return ok;
}
