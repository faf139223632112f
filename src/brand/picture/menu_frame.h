// The menu's 600 x 397 frame filled from a picture, before its colours are reduced.
#pragma once

#include <cstdint>
#include <vector>

#include "brand/picture/image.h"

constexpr int menuWidth = 600;
constexpr int menuHeight = 397;

// The frame as top-down rows of R, G, B values in 8.8 fixed point (255 is 65280), opaque:
// the picture scaled on whole pixels to cover the frame with its centre cropped, or with
// `fit` to fit inside it, centred on `fitColour` (0x00BBGGRR); transparent pixels laid
// over `fitColour`. Empty when the picture is empty or its buffer short.
std::vector<std::int32_t> menuFrame(const RgbaImage& image, bool fit, unsigned fitColour);
