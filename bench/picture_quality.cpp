// Makes the menu picture from a PAM file (ImageMagick: `convert IN -depth 8 pam:OUT`) with
// the branding tool's own code, and writes it as a BMP file, for bench/picture-quality.
//   picture-quality IN.pam OUT.bmp FRAME.ppm
// FRAME.ppm gets the cover-scaled frame before its colours are reduced. Prints the
// milliseconds the picture took.
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "brand/picture/menu_frame.h"
#include "brand/picture/menu_picture.h"

namespace {

// A PAM header's value after `name`, or -1.
long headerValue(const std::string& header, const char* name) {
    std::size_t at = header.find(std::string("\n") + name + " ");
    return at == std::string::npos
               ? -1
               : std::strtol(header.c_str() + at + std::strlen(name) + 2, nullptr, 10);
}

bool readPam(const char* path, RgbaImage& image) {
    FILE* f = std::fopen(path, "rb");
    if (!f) return false;
    std::string header;
    int ch;
    while ((ch = std::fgetc(f)) != EOF) {
        header += static_cast<char>(ch);
        if (header.size() >= 7 && header.compare(header.size() - 7, 7, "ENDHDR\n") == 0) break;
    }
    long width = headerValue(header, "WIDTH");
    long height = headerValue(header, "HEIGHT");
    long depth = headerValue(header, "DEPTH");
    bool ok = header.compare(0, 3, "P7\n") == 0 && width > 0 && height > 0 &&
              (depth == 3 || depth == 4) && headerValue(header, "MAXVAL") == 255;
    std::vector<unsigned char> raw(ok ? static_cast<std::size_t>(width * height * depth) : 0);
    ok = ok && std::fread(raw.data(), 1, raw.size(), f) == raw.size();
    std::fclose(f);
    if (!ok) return false;
    image.width = static_cast<int>(width);
    image.height = static_cast<int>(height);
    image.pixels.assign(static_cast<std::size_t>(width * height * 4), 255);
    for (long i = 0; i < width * height; ++i) {
        for (long c = 0; c < depth; ++c)
            image.pixels[static_cast<std::size_t>(i * 4 + c)] =
                raw[static_cast<std::size_t>(i * depth + c)];
    }
    return true;
}

// Writes `bytes` to `path` after `header`; false when it cannot.
bool writeFile(const char* path, const std::string& header, const unsigned char* bytes,
               std::size_t size) {
    FILE* out = std::fopen(path, "wb");
    if (!out) return false;
    bool written = std::fwrite(header.data(), 1, header.size(), out) == header.size() &&
                   std::fwrite(bytes, 1, size, out) == size;
    return std::fclose(out) == 0 && written;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: picture-quality IN.pam OUT.bmp FRAME.ppm\n");
        return 2;
    }
    RgbaImage image;
    if (!readPam(argv[1], image)) {
        std::fprintf(stderr, "picture-quality: %s is not an 8-bit PAM file\n", argv[1]);
        return 2;
    }
    auto start = std::chrono::steady_clock::now();
    std::vector<unsigned char> picture = menuPictureFromImage(image, false, 0xFFFFFFu);
    auto taken = std::chrono::steady_clock::now() - start;
    if (picture.empty()) return 1;
    // The time the picture took, in milliseconds, for the table.
    std::printf("%lld\n",
                static_cast<long long>(
                    std::chrono::duration_cast<std::chrono::milliseconds>(taken).count()));

    std::uint32_t size = static_cast<std::uint32_t>(14 + picture.size());
    std::string header = "BM";
    for (std::uint32_t value : {size, 0u, 14u + 40u + 1024u}) {
        for (int i = 0; i < 4; ++i) header += static_cast<char>(value >> (8 * i));
    }
    // The frame before its colours are reduced, 8 bits a channel.
    std::vector<std::int32_t> wide = menuFrame(image, false, 0xFFFFFFu);
    std::vector<unsigned char> frame(wide.size());
    for (std::size_t i = 0; i < wide.size(); ++i)
        frame[i] = static_cast<unsigned char>((wide[i] + 128) >> 8);
    bool ok = writeFile(argv[2], header, picture.data(), picture.size()) &&
              writeFile(argv[3], "P6\n600 397\n255\n", frame.data(), frame.size());
    return ok ? 0 : 1;
}
