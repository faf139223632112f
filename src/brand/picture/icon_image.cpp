#include "brand/picture/icon_image.h"

#include <cstddef>
#include <cstdint>
#include <iterator>
#include <utility>

#include "brand/picture/png_file.h"
#include "brand/picture/resample.h"
#include "bytes/little_endian.h"

namespace {

constexpr int smallestSource = 16;
// The sizes Windows shows at 100 to 200 percent, as 32-bit bitmaps; 256 as PNG.
constexpr int bitmapSizes[] = {16, 20, 24, 32, 40, 48};
constexpr int pngSize = 256;
// The 256-pixel image is kept only while its PNG stays this small: a logo or drawing fits
// easily, a photo (about 90 KB) would add a third to the program for Explorer's largest
// views alone, where Windows then shows the 48-pixel image enlarged.
constexpr std::size_t largestPng = 64 * 1024;

// The picture at size x size, colours no longer premultiplied.
RgbaImage scaled(const RgbaImage& image, int size) {
    WideImage wide = resampleRegion(image, wholeRegion(image.width, image.height), size, size);
    RgbaImage out;
    out.width = size;
    out.height = size;
    out.pixels.resize(static_cast<std::size_t>(size) * size * 4);
    for (std::size_t i = 0; i < out.pixels.size(); i += 4) {
        std::int32_t alpha = wide.values[i + 3];
        for (int c = 0; c < 3; ++c) {
            std::int32_t v = alpha > 0 ? (wide.values[i + c] * 255 + alpha / 2) / alpha : 0;
            out.pixels[i + c] = static_cast<unsigned char>(v);
        }
        out.pixels[i + 3] = static_cast<unsigned char>((alpha + 128) >> 8);
    }
    return out;
}

// An icon image as a bitmap: the header (height doubled for the mask), bottom-up rows of
// blue, green, red, alpha, then the AND mask with a bit set where the pixel is more than
// half transparent, for programs that ignore alpha.
std::vector<unsigned char> iconBitmap(const RgbaImage& image) {
    int size = image.width;
    std::size_t maskStride = static_cast<std::size_t>((size + 31) / 32) * 4;
    std::vector<unsigned char> out;
    appendNumber(out, 4, 40);
    appendNumber(out, 4, static_cast<std::uint32_t>(size));
    appendNumber(out, 4, static_cast<std::uint32_t>(size * 2));
    appendNumber(out, 2, 1);
    appendNumber(out, 2, 32);
    appendNumber(out, 4, 0);
    const std::size_t imageSize = static_cast<std::size_t>(size) * size * 4 + maskStride * size;
    appendNumber(out, 4, static_cast<std::uint32_t>(imageSize));
    for (int i = 0; i < 4; ++i) appendNumber(out, 4, 0);
    for (int y = size - 1; y >= 0; --y) {
        const unsigned char* p = image.pixels.data() + static_cast<std::size_t>(y) * size * 4;
        for (int x = 0; x < size; ++x, p += 4) out.insert(out.end(), {p[2], p[1], p[0], p[3]});
    }
    for (int y = size - 1; y >= 0; --y) {
        std::vector<unsigned char> row(maskStride, 0);
        for (int x = 0; x < size; ++x) {
            if (image.pixels[(static_cast<std::size_t>(y) * size + x) * 4 + 3] < 128) {
                row[static_cast<std::size_t>(x / 8)] |= static_cast<unsigned char>(0x80 >> (x % 8));
            }
        }
        out.insert(out.end(), row.begin(), row.end());
    }
    return out;
}

}  // namespace

std::vector<unsigned char> iconFileFromImage(const RgbaImage& image, std::string& reason) {
    if (image.width <= 0 || image.height <= 0 ||
        image.pixels.size() / 4 / static_cast<std::size_t>(image.width) <
            static_cast<std::size_t>(image.height)) {
        reason = "the picture has no pixels";
        return {};
    }
    if (image.width != image.height) {
        reason = "the icon picture is " + std::to_string(image.width) + " x " +
                 std::to_string(image.height) + " pixels; it must be square";
        return {};
    }
    if (image.width < smallestSource) {
        reason = "the icon picture is " + std::to_string(image.width) + " x " +
                 std::to_string(image.height) + " pixels; it must be at least 16 x 16";
        return {};
    }

    std::vector<std::vector<unsigned char>> images;
    for (int size : bitmapSizes) images.push_back(iconBitmap(scaled(image, size)));
    std::vector<unsigned char> png = pngFile(scaled(image, pngSize));
    if (png.size() <= largestPng) images.push_back(std::move(png));

    std::vector<unsigned char> out;
    appendNumber(out, 2, 0);
    appendNumber(out, 2, 1);  // an icon
    appendNumber(out, 2, static_cast<std::uint32_t>(images.size()));
    std::size_t offset = 6 + 16 * images.size();
    for (std::size_t i = 0; i < images.size(); ++i) {
        int size = i < std::size(bitmapSizes) ? bitmapSizes[i] : pngSize;
        out.push_back(static_cast<unsigned char>(size == 256 ? 0 : size));  // 0 stands for 256
        out.push_back(static_cast<unsigned char>(size == 256 ? 0 : size));
        out.push_back(0);  // no palette
        out.push_back(0);
        appendNumber(out, 2, 1);   // planes
        appendNumber(out, 2, 32);  // bits a pixel
        appendNumber(out, 4, static_cast<std::uint32_t>(images[i].size()));
        appendNumber(out, 4, static_cast<std::uint32_t>(offset));
        offset += images[i].size();
    }
    for (const std::vector<unsigned char>& data : images)
        out.insert(out.end(), data.begin(), data.end());
    reason.clear();
    return out;
}
