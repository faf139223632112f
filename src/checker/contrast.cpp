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

namespace {

double luminanceRatio(double la, double lb) {
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

}  // namespace

double contrastRatio(std::uint32_t a, std::uint32_t b) {
    return luminanceRatio(relativeLuminance(a), relativeLuminance(b));
}

Backdrop textContrast(const Picture& picture, int left, int top, int right, int bottom,
                      std::uint32_t colour, double letGo) {
    left = std::max(left, 0);
    top = std::max(top, 0);
    right = std::min(right, picture.width);
    bottom = std::min(bottom, picture.height);
    std::vector<std::pair<double, std::uint32_t>> ratios;
    for (int y = top; y < bottom; ++y) {
        for (int x = left; x < right; ++x) {
            const std::uint32_t pixel =
                picture
                    .pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(picture.width) +
                            static_cast<std::size_t>(x)];
            ratios.emplace_back(contrastRatio(colour, pixel), pixel);
        }
    }
    Backdrop backdrop;
    if (ratios.empty()) return backdrop;
    // The pixel at the let-go share from the lowest contrast: everything from it up counts.
    const std::size_t skipped = std::min(
        ratios.size() - 1, static_cast<std::size_t>(static_cast<double>(ratios.size()) * letGo));
    std::nth_element(ratios.begin(), ratios.begin() + static_cast<std::ptrdiff_t>(skipped),
                     ratios.end());
    backdrop.ratio = ratios[skipped].first;
    backdrop.pixel = ratios[skipped].second;
    backdrop.measured = true;
    return backdrop;
}

std::vector<double> pictureLuminance(const Picture& picture) {
    // The menu's pictures have 256 colours at most: each is worked out once.
    std::unordered_map<std::uint32_t, double> known;
    std::vector<double> luminance;
    luminance.reserve(picture.pixels.size());
    for (const std::uint32_t pixel : picture.pixels) {
        auto found = known.find(pixel);
        if (found == known.end()) found = known.emplace(pixel, relativeLuminance(pixel)).first;
        luminance.push_back(found->second);
    }
    return luminance;
}

bool keepsContrast(const Picture& picture, const std::vector<double>& luminance, int left, int top,
                   int right, int bottom, std::uint32_t colour, double letGo, double least) {
    left = std::max(left, 0);
    top = std::max(top, 0);
    right = std::min(right, picture.width);
    bottom = std::min(bottom, picture.height);
    if (left >= right || top >= bottom) return true;
    // Luminances of another picture measure nothing of this one.
    if (luminance.size() != picture.pixels.size()) return false;
    const std::size_t count =
        static_cast<std::size_t>(right - left) * static_cast<std::size_t>(bottom - top);
    // textContrast takes the ratio at this position from the lowest: it reaches `least`
    // when no more pixels than that fall short.
    const std::size_t skipped =
        std::min(count - 1, static_cast<std::size_t>(static_cast<double>(count) * letGo));
    const double text = relativeLuminance(colour);
    std::size_t below = 0;
    for (int y = top; y < bottom; ++y) {
        const std::size_t row =
            static_cast<std::size_t>(y) * static_cast<std::size_t>(picture.width);
        for (int x = left; x < right; ++x) {
            if (luminanceRatio(text, luminance[row + static_cast<std::size_t>(x)]) < least &&
                ++below > skipped) {
                return false;
            }
        }
    }
    return true;
}
