#include "publish/tool/image_file.h"

#include <windows.h>

#include "console/system_error.h"
#include "publish/disc_sizes.h"
#include "publish/tool/cancel.h"
#include "publish/tool/tool_paths.h"

WriteOutcome writeImageFile(const ImagePlan& plan, const FileReader& reader,
                            const std::wstring& target, std::string& problem) {
    const std::wstring folder = parentOf(target);
    ULARGE_INTEGER available;
    if (GetDiskFreeSpaceExW(folder.c_str(), &available, nullptr, nullptr) &&
        available.QuadPart < plan.imageBytes()) {
        problem = "the drive of " + utf8Of(target) + " has " + groupedNumber(available.QuadPart) +
                  " bytes free; the image needs " + groupedNumber(plan.imageBytes());
        return WriteOutcome::failed;
    }

    const std::wstring temporary =
        target + L"." + std::to_wstring(GetCurrentProcessId()) + L".partial";
    HANDLE file = CreateFileW(longPath(temporary).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                              FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        problem = utf8Of(temporary) + " cannot be made: " + systemErrorText(GetLastError());
        return WriteOutcome::failed;
    }
    DWORD writeError = 0;
    const ImageSink sink = [&](const std::uint8_t* bytes, std::size_t size) {
        if (cancelled()) return false;
        while (size > 0) {
            const DWORD piece = size > (1u << 30) ? (1u << 30) : static_cast<DWORD>(size);
            DWORD written = 0;
            if (!WriteFile(file, bytes, piece, &written, nullptr) || written == 0) {
                writeError = GetLastError();
                return false;
            }
            bytes += written;
            size -= written;
            addWrittenBytes(written);
        }
        return true;
    };
    std::string writeProblem;
    bool ok = writeImage(plan, reader, sink, writeProblem);
    if (ok && !FlushFileBuffers(file)) {
        writeError = GetLastError();
        ok = false;
    }
    CloseHandle(file);
    if (ok && !MoveFileExW(longPath(temporary).c_str(), longPath(target).c_str(),
                           MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        writeProblem = utf8Of(target) + " cannot be replaced: " + systemErrorText(GetLastError());
        ok = false;
    }
    if (ok) return WriteOutcome::written;

    DeleteFileW(longPath(temporary).c_str());
    if (cancelled()) {
        problem = "cancelled; nothing was written";
    } else if (writeError != 0) {
        problem = utf8Of(temporary) + " cannot be written: " + systemErrorText(writeError);
    } else {
        problem = writeProblem;
    }
    return WriteOutcome::failed;
}
