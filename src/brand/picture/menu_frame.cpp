#include "brand/picture/menu_frame.h"

#include <cstddef>

#include "brand/picture/resample.h"

namespace {

constexpr std::int64_t unit = 65536;

// Where the scaled picture lands in the 600 x 397 frame and what part of it is shown.
struct Placement {
    SourceRegion region;
    int x = 0;
    int y = 0;
    int width = menuWidth;
    int height = menuHeight;
};

// n * num / den rounded to nearest, at least 1.
std::int64_t scaledLength(std::int64_t n, std::int64_t num, std::int64_t den) {
    std::int64_t length = (2 * n * num + den) / (2 * den);
    return length < 1 ? 1 : length;
}

// The picture is scaled to whole pixels, one side exactly the frame's and the other
// rounded. Cover crops the scaled picture's centre on whole pixels, putting the halves'
// middles together (half of each length rounded down), as ImageMagick's centred crop
// does, so the two line up pixel for pixel; fit centres it in the frame, the left or top
// margin the smaller by one. Either way every output pixel stands on a whole pixel of the scaled
// picture.
Placement place(int width, int height, bool fit) {
    Placement p;
    std::int64_t w = width;
    std::int64_t h = height;
    // True when the picture is relatively taller than the frame.
    bool taller = menuWidth * h >= menuHeight * w;
    bool widthBound = taller != fit;
    std::int64_t scaledWidth = widthBound ? menuWidth : scaledLength(w, menuHeight, h);
    std::int64_t scaledHeight = widthBound ? scaledLength(h, menuWidth, w) : menuHeight;
    p.region = wholeRegion(width, height);
    if (fit) {
        p.width = static_cast<int>(scaledWidth);
        p.height = static_cast<int>(scaledHeight);
        p.x = (menuWidth - p.width) / 2;
        p.y = (menuHeight - p.height) / 2;
        return p;
    }
    // The frame's share of the scaled picture, in source pixels.
    std::int64_t cropX = scaledWidth / 2 - menuWidth / 2;
    std::int64_t cropY = scaledHeight / 2 - menuHeight / 2;
    p.region.x = cropX * w * unit / scaledWidth;
    p.region.y = cropY * h * unit / scaledHeight;
    p.region.width = menuWidth * w * unit / scaledWidth;
    p.region.height = menuHeight * h * unit / scaledHeight;
    return p;
}

}  // namespace

std::vector<std::int32_t> menuFrame(const RgbaImage& image, bool fit, unsigned fitColour) {
    if (image.width <= 0 || image.height <= 0 ||
        image.pixels.size() / 4 / static_cast<std::size_t>(image.width) <
            static_cast<std::size_t>(image.height)) {
        return {};
    }
    Placement p = place(image.width, image.height, fit);
    WideImage scaled = resampleRegion(image, p.region, p.width, p.height);

    // The frame in the background colour, the scaled picture laid over it.
    std::int32_t background[3] = {static_cast<std::int32_t>(fitColour & 0xFF),
                                  static_cast<std::int32_t>((fitColour >> 8) & 0xFF),
                                  static_cast<std::int32_t>((fitColour >> 16) & 0xFF)};
    std::size_t frame = static_cast<std::size_t>(menuWidth) * menuHeight;
    std::vector<std::int32_t> rgb(frame * 3);
    for (std::size_t i = 0; i < frame; ++i) {
        for (int c = 0; c < 3; ++c) rgb[i * 3 + c] = background[c] * 256;
    }
    for (int y = 0; y < p.height; ++y) {
        for (int x = 0; x < p.width; ++x) {
            const std::int32_t* px =
                &scaled.values[(static_cast<std::size_t>(y) * p.width + x) * 4];
            std::size_t at = (static_cast<std::size_t>(p.y + y) * menuWidth + p.x + x) * 3;
            for (int c = 0; c < 3; ++c)
                rgb[at + c] = px[c] + (background[c] * (wideOne - px[3]) + 127) / 255;
        }
    }

    return rgb;
}
