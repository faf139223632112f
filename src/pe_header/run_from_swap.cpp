// run-from-swap PROGRAM: a build step after linking. Marks the program to be run from the
// page file when started from removable media or a network share, and writes its header
// checksum anew. Exit code 0 on success, 1 with a message otherwise.
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "pe_header/pe_header.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: run-from-swap PROGRAM\n");
        return 1;
    }
    const std::string path = argv[1];
    std::ifstream in(path, std::ios::binary);
    Bytes image((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (!in.good() && !in.eof()) {
        std::fprintf(stderr, "run-from-swap: cannot read %s\n", path.c_str());
        return 1;
    }
    in.close();
    const std::string error = setFileFlags(image, runFromSwapFlags);
    if (!error.empty()) {
        std::fprintf(stderr, "run-from-swap: %s: %s\n", path.c_str(), error.c_str());
        return 1;
    }
    // Written beside the program and renamed over it, so a failed write never leaves half
    // a program behind.
    const std::string temporary = path + ".run-from-swap";
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(image.data()),
              static_cast<std::streamsize>(image.size()));
    out.close();
    if (!out || std::rename(temporary.c_str(), path.c_str()) != 0) {
        std::remove(temporary.c_str());
        std::fprintf(stderr, "run-from-swap: cannot write %s\n", path.c_str());
        return 1;
    }
    return 0;
}
