#include "brand/picture/menu_picture.h"

#include <cstddef>
#include <cstdint>

#include "brand/picture/dither.h"
#include "brand/picture/menu_frame.h"
#include "brand/picture/palette.h"
#include "bytes/little_endian.h"

std::vector<unsigned char> menuPictureFromImage(const RgbaImage& image, bool fit,
                                                unsigned fitColour) {
    std::vector<std::int32_t> rgb = menuFrame(image, fit, fitColour);
    if (rgb.empty()) return {};
    std::size_t frame = static_cast<std::size_t>(menuWidth) * menuHeight;
    std::vector<Rgb> colours(frame);
    for (std::size_t i = 0; i < frame; ++i) {
        colours[i] = rgbOf((rgb[i * 3] + 128) >> 8, (rgb[i * 3 + 1] + 128) >> 8,
                           (rgb[i * 3 + 2] + 128) >> 8);
    }
    std::vector<Rgb> palette = choosePalette(colours, 256);
    std::vector<unsigned char> indexes = ditherToPalette(rgb, menuWidth, menuHeight, palette);

    // BITMAPINFOHEADER as the built-in picture has it: 72 dots an inch, all 256 colours.
    std::vector<unsigned char> out;
    out.reserve(40 + 256 * 4 + frame);
    appendNumber(out, 4, 40);
    appendNumber(out, 4, menuWidth);
    appendNumber(out, 4, menuHeight);  // positive: bottom-up rows
    appendNumber(out, 2, 1);
    appendNumber(out, 2, 8);
    appendNumber(out, 4, 0);  // uncompressed
    appendNumber(out, 4, 0);
    appendNumber(out, 4, 2834);
    appendNumber(out, 4, 2834);
    appendNumber(out, 4, 0);
    appendNumber(out, 4, 0);
    for (int i = 0; i < 256; ++i) {
        Rgb c = i < static_cast<int>(palette.size()) ? palette[static_cast<std::size_t>(i)] : 0;
        out.push_back(static_cast<unsigned char>(blueOf(c)));
        out.push_back(static_cast<unsigned char>(greenOf(c)));
        out.push_back(static_cast<unsigned char>(redOf(c)));
        out.push_back(0);
    }
    for (int y = menuHeight - 1; y >= 0; --y) {
        const unsigned char* row = &indexes[static_cast<std::size_t>(y) * menuWidth];
        out.insert(out.end(), row, row + menuWidth);
    }
    return out;
}
