// The platform's rectangle (left, top, right, bottom, signed 32-bit). Host builds of the
// layout logic get a record of the same shape.
#pragma once

#ifdef _WIN32
#include <windef.h>
#else
#include <cstdint>
struct RECT {
    std::int32_t left;
    std::int32_t top;
    std::int32_t right;
    std::int32_t bottom;
};
#endif
