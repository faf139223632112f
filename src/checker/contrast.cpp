#include "checker/contrast.h"

#include <algorithm>
#include <cmath>

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

double contrastRatio(std::uint32_t a, std::uint32_t b) {
    const double la = relativeLuminance(a);
    const double lb = relativeLuminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
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
