#include "config/colour_table.h"

static constexpr std::uint32_t rgb(std::uint32_t red, std::uint32_t green, std::uint32_t blue) {
    return red | (green << 8) | (blue << 16);
}

const std::uint32_t colourTable[kColourCount] = {
    rgb(0, 0, 0),       rgb(0, 0, 0),       rgb(0, 0, 127),   rgb(127, 0, 0),
    rgb(0, 127, 0),     rgb(0, 0, 255),     rgb(0, 127, 127), rgb(127, 0, 127),
    rgb(127, 127, 0),   rgb(127, 127, 127), rgb(255, 0, 0),   rgb(255, 0, 255),
    rgb(0, 255, 0),     rgb(255, 255, 0),   rgb(0, 255, 255), rgb(255, 255, 255),
    rgb(192, 192, 192), rgb(224, 224, 224),
};

std::uint32_t colourFromIndex(std::int32_t index) {
    if (!isColourNumber(index)) return colourTable[0];
    return colourTable[index];
}
