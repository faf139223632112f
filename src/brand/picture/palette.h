// Choosing the colours of an 8-bit picture and finding the nearest of them.
#pragma once

#include <cstdint>
#include <vector>

// A colour as 0x00RRGGBB.
using Rgb = std::uint32_t;

inline int redOf(Rgb c) { return static_cast<int>((c >> 16) & 0xFF); }
inline int greenOf(Rgb c) { return static_cast<int>((c >> 8) & 0xFF); }
inline int blueOf(Rgb c) { return static_cast<int>(c & 0xFF); }
inline Rgb rgbOf(int r, int g, int b) {
    return static_cast<Rgb>(r) << 16 | static_cast<Rgb>(g) << 8 | static_cast<Rgb>(b);
}

// At most `size` colours (size >= 1) that stand for `pixels` well: median cut splits the
// colour box with the largest squared error where the two halves' error is least, then
// a few k-means passes move each colour to the mean of the pixels nearest to it. Every
// distinct colour among at most `size` comes back as it is. Deterministic: no floating
// point, and ties go to the lower index.
std::vector<Rgb> choosePalette(const std::vector<Rgb>& pixels, int size);

// The nearest colour of a fixed palette by squared distance, searched from the palette
// ordered by green so that most colours are passed over unseen.
class NearestColour {
public:
    explicit NearestColour(const std::vector<Rgb>& palette);
    // Index into the palette of the colour nearest to (r, g, b), each 0..255; on equal
    // distances the lowest index.
    int find(int r, int g, int b) const;

private:
    struct Entry {
        int r, g, b, index;
    };
    std::vector<Entry> byGreen_;
};
