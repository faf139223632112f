#include "checker/contrast.h"

#include <algorithm>
#include <cmath>
#include <unordered_map>

namespace {

double channel(std::uint32_t value) {
    const double c = static_cast<double>(value & 0xFF) / 255.0;
    return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

}  // namespace

double relativeLuminance(std::uint32_t colour) {
    return 0.2126 * channel(colour) + 0.7152 * channel(colour >> 8) +
           0.0722 * channel(colour >> 16);
}

// Never inlined: textContrast and keepsContrast store its results and compare those, so
// they agree even where the x87 unit of 32-bit builds would round an inlined copy otherwise.
__attribute__((noinline)) double contrastRatio(std::uint32_t a, std::uint32_t b) {
    const double la = relativeLuminance(a);
    const double lb = relativeLuminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

namespace {

// The share of `count` pixels textContrast lets go: it takes the ratio at this position
// from the lowest.
std::size_t letGoCount(std::size_t count, double letGo) {
    return std::min(count - 1, static_cast<std::size_t>(static_cast<double>(count) * letGo));
}

}  // namespace

Backdrop textContrast(const Picture& picture, int left, int top, int right, int bottom,
                      std::uint32_t colour, double letGo) {
    left = std::max(left, 0);
    top = std::max(top, 0);
    right = std::min(right, picture.width);
    bottom = std::min(bottom, picture.height);
    // The menu's pictures have 256 colours at most: each is worked out once.
    std::unordered_map<std::uint32_t, double> known;
    std::vector<std::pair<double, std::uint32_t>> ratios;
    for (int y = top; y < bottom; ++y) {
        for (int x = left; x < right; ++x) {
            const std::uint32_t pixel =
                picture
                    .pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(picture.width) +
                            static_cast<std::size_t>(x)];
            auto found = known.find(pixel);
            if (found == known.end())
                found = known.emplace(pixel, contrastRatio(colour, pixel)).first;
            ratios.emplace_back(found->second, pixel);
        }
    }
    Backdrop backdrop;
    if (ratios.empty()) return backdrop;
    // The pixel at the let-go share from the lowest contrast: everything from it up counts.
    const std::size_t skipped = letGoCount(ratios.size(), letGo);
    std::nth_element(ratios.begin(), ratios.begin() + static_cast<std::ptrdiff_t>(skipped),
                     ratios.end());
    backdrop.ratio = ratios[skipped].first;
    backdrop.pixel = ratios[skipped].second;
    backdrop.measured = true;
    return backdrop;
}

PictureColours pictureColours(const Picture& picture) {
    PictureColours colours;
    std::unordered_map<std::uint32_t, std::uint32_t> indexes;
    colours.index.reserve(picture.pixels.size());
    // Pixels come in runs of one colour: the last one found is asked first.
    std::uint32_t last = 0;
    std::uint32_t lastIndex = 0;
    for (const std::uint32_t pixel : picture.pixels) {
        if (colours.colours.empty() || pixel != last) {
            const auto found =
                indexes.emplace(pixel, static_cast<std::uint32_t>(colours.colours.size())).first;
            if (found->second == colours.colours.size()) colours.colours.push_back(pixel);
            last = pixel;
            lastIndex = found->second;
        }
        colours.index.push_back(lastIndex);
    }
    return colours;
}

bool keepsContrast(const Picture& picture, const PictureColours& colours, int left, int top,
                   int right, int bottom, std::uint32_t colour, double letGo, double least) {
    left = std::max(left, 0);
    top = std::max(top, 0);
    right = std::min(right, picture.width);
    bottom = std::min(bottom, picture.height);
    if (left >= right || top >= bottom) return true;
    // The colours of another picture measure nothing of this one.
    if (colours.index.size() != picture.pixels.size()) return false;
    std::vector<double> ratios;
    ratios.reserve(colours.colours.size());
    for (const std::uint32_t pixel : colours.colours)
        ratios.push_back(contrastRatio(colour, pixel));
    const std::size_t skipped = letGoCount(
        static_cast<std::size_t>(right - left) * static_cast<std::size_t>(bottom - top), letGo);
    // The ratio at that position reaches `least` when no more pixels than that fall short.
    std::size_t below = 0;
    for (int y = top; y < bottom; ++y) {
        const std::size_t row =
            static_cast<std::size_t>(y) * static_cast<std::size_t>(picture.width);
        for (int x = left; x < right; ++x) {
            if (ratios[colours.index[row + static_cast<std::size_t>(x)]] < least &&
                ++below > skipped) {
                return false;
            }
        }
    }
    return true;
}
