// A stand-in for what a menu entry starts. It appends one record of how it was started to
// "marker.txt" in its own folder, and ends:
//
//   program=<its own full path>
//   folder=<its current folder>
//   arg=<each argument after the program name, one per line>
//   end
//
// The record is written with one call, so records of programs that end at the same time
// never interleave.
#include <windows.h>

#include <cstdlib>
#include <string>

int main(int argc, char** argv) {
    char path[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
    const std::string program(path, length);

    char folder[MAX_PATH];
    const DWORD folderLength = GetCurrentDirectoryA(sizeof folder, folder);
    std::string record = "program=" + program + "\n";
    record +=
        "folder=" + std::string(folder, folderLength < sizeof folder ? folderLength : 0) + "\n";
    for (int i = 1; i < argc; ++i) record += "arg=" + std::string(argv[i]) + "\n";
    record += "end\n";

    const std::string marker = program.substr(0, program.find_last_of("\\/") + 1) + "marker.txt";
    // Another copy may hold the file for a moment; retry briefly rather than lose the record.
    for (int attempt = 0; attempt < 200; ++attempt) {
        HANDLE file = CreateFileA(marker.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr,
                                  OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE) {
            DWORD written = 0;
            const BOOL ok = WriteFile(file, record.data(), static_cast<DWORD>(record.size()),
                                      &written, nullptr);
            CloseHandle(file);
            return ok && written == record.size() ? EXIT_SUCCESS : EXIT_FAILURE;
        }
        Sleep(10);
    }
    return EXIT_FAILURE;
}
