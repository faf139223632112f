// Makes the menu picture from a PAM file (ImageMagick: `convert IN -depth 8 pam:OUT`) with
// the branding tool's own code, and writes it as a BMP file, for bench/picture-quality.
//   picture-quality IN.pam OUT.bmp [fit COLOUR]
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

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

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3 && argc != 5) {
        std::fprintf(stderr, "usage: picture-quality IN.pam OUT.bmp [fit 0xBBGGRR]\n");
        return 2;
    }
    RgbaImage image;
    if (!readPam(argv[1], image)) {
        std::fprintf(stderr, "picture-quality: %s is not an 8-bit PAM file\n", argv[1]);
        return 2;
    }
    bool fit = argc == 5;
    unsigned colour = fit ? static_cast<unsigned>(std::strtoul(argv[4], nullptr, 0)) : 0xFFFFFFu;
    std::vector<unsigned char> picture = menuPictureFromImage(image, fit, colour & 0xFFFFFFu);
    if (picture.empty()) return 1;
    unsigned long size = 14 + picture.size();
    unsigned char header[14] = {'B',
                                'M',
                                static_cast<unsigned char>(size),
                                static_cast<unsigned char>(size >> 8),
                                static_cast<unsigned char>(size >> 16),
                                static_cast<unsigned char>(size >> 24),
                                0,
                                0,
                                0,
                                0,
                                1078 & 0xFF,
                                1078 >> 8,
                                0,
                                0};  // the rows follow header and palette
    FILE* out = std::fopen(argv[2], "wb");
    if (!out) return 1;
    bool written = std::fwrite(header, 1, 14, out) == 14 &&
                   std::fwrite(picture.data(), 1, picture.size(), out) == picture.size();
    return std::fclose(out) == 0 && written ? 0 : 1;
}
