#include "brand/picture/resample.h"

#include <algorithm>
#include <cstddef>

namespace {

constexpr int weightBits = 14;
constexpr std::int64_t weightOne = std::int64_t{1} << weightBits;
constexpr std::int64_t unit = 65536;  // one source pixel in region coordinates

// Division rounding down, for numerators of either sign (positive divisor).
std::int64_t floorDiv(std::int64_t a, std::int64_t b) {
    std::int64_t q = a / b;
    return (a % b != 0 && a < 0) ? q - 1 : q;
}

// value / weightOne, rounded to nearest, for either sign.
std::int64_t unweigh(std::int64_t value) { return floorDiv(value + weightOne / 2, weightOne); }

struct Tap {
    int index;
    std::int32_t weight;
};

// For every output position along one axis: the source pixels it reads and their
// weights, which add up to exactly weightOne.
struct AxisTaps {
    std::vector<Tap> taps;
    std::vector<std::size_t> first;  // outSize + 1 offsets into taps
};

// Adds a tap for the output whose taps begin at `from`; edge pixels repeat past the ends.
void addTap(std::vector<Tap>& taps, std::size_t from, int index, std::int64_t weight, int size) {
    index = std::clamp(index, 0, size - 1);
    if (taps.size() > from && taps.back().index == index) {
        taps.back().weight += static_cast<std::int32_t>(weight);
        return;
    }
    taps.push_back({index, static_cast<std::int32_t>(weight)});
}

// Rounding leaves the weights of one output a little off their total: the largest
// weight takes the difference.
void settleWeights(std::vector<Tap>& taps, std::size_t from) {
    std::int64_t sum = 0;
    std::size_t largest = from;
    for (std::size_t i = from; i < taps.size(); ++i) {
        sum += taps[i].weight;
        if (taps[i].weight > taps[largest].weight) largest = i;
    }
    taps[largest].weight += static_cast<std::int32_t>(weightOne - sum);
}

// Catmull-Rom weights of the four pixels around a point `t` (0..65535) past the second.
void catmullRom(std::int64_t t, std::int64_t weights[4]) {
    std::int64_t t2 = t * t / unit;
    std::int64_t t3 = t2 * t / unit;
    // The cubic's coefficients times 2, in 1/65536ths; scaled to weightOne below.
    std::int64_t w[4] = {-t + 2 * t2 - t3, 2 * unit - 5 * t2 + 3 * t3, t + 4 * t2 - 3 * t3,
                         t3 - t2};
    for (int i = 0; i < 4; ++i) weights[i] = floorDiv(w[i] * weightOne + unit, 2 * unit);
}

AxisTaps axisTaps(std::int64_t start, std::int64_t span, int srcSize, int outSize) {
    AxisTaps axis;
    axis.first.reserve(static_cast<std::size_t>(outSize) + 1);
    bool shrinking = span > static_cast<std::int64_t>(outSize) * unit;
    for (int i = 0; i < outSize; ++i) {
        std::size_t from = axis.taps.size();
        axis.first.push_back(from);
        if (shrinking) {
            // The exact area the output pixel covers, each source pixel weighed by its share.
            std::int64_t a = start + floorDiv(span * i, outSize);
            std::int64_t b = start + floorDiv(span * (i + 1), outSize);
            std::int64_t length = std::max<std::int64_t>(b - a, 1);
            for (std::int64_t j = floorDiv(a, unit); j * unit < b; ++j) {
                std::int64_t overlap = std::min(b, (j + 1) * unit) - std::max(a, j * unit);
                addTap(axis.taps, from, static_cast<int>(j),
                       floorDiv(overlap * weightOne + length / 2, length), srcSize);
            }
        } else {
            // The output pixel's centre in the source, measured from the first pixel's centre.
            std::int64_t centre = start + floorDiv(span * (2 * i + 1), 2 * outSize) - unit / 2;
            std::int64_t j = floorDiv(centre, unit);
            std::int64_t weights[4];
            catmullRom(centre - j * unit, weights);
            for (int k = 0; k < 4; ++k)
                addTap(axis.taps, from, static_cast<int>(j - 1 + k), weights[k], srcSize);
        }
        settleWeights(axis.taps, from);
    }
    axis.first.push_back(axis.taps.size());
    return axis;
}

// One source row premultiplied into working precision.
void wideRow(const RgbaImage& source, int y, std::vector<std::int32_t>& row) {
    const unsigned char* p = source.pixels.data() + static_cast<std::size_t>(y) * source.width * 4;
    for (int x = 0; x < source.width; ++x, p += 4) {
        std::int32_t a = p[3];
        for (int c = 0; c < 3; ++c) row[x * 4 + c] = (p[c] * a * 256 + 127) / 255;
        row[x * 4 + 3] = a * 256;
    }
}

}  // namespace

SourceRegion wholeRegion(int width, int height) { return {0, 0, width * unit, height * unit}; }

WideImage resampleRegion(const RgbaImage& source, const SourceRegion& region, int outWidth,
                         int outHeight) {
    AxisTaps across = axisTaps(region.x, region.width, source.width, outWidth);
    AxisTaps down = axisTaps(region.y, region.height, source.height, outHeight);

    // Only the source rows the vertical pass reads are scaled across.
    int top = source.height;
    int bottom = -1;
    for (const Tap& tap : down.taps) {
        top = std::min(top, tap.index);
        bottom = std::max(bottom, tap.index);
    }
    std::size_t rowValues = static_cast<std::size_t>(outWidth) * 4;
    std::vector<std::int32_t> middle(static_cast<std::size_t>(bottom - top + 1) * rowValues);
    std::vector<std::int32_t> row(static_cast<std::size_t>(source.width) * 4);
    for (int y = top; y <= bottom; ++y) {
        wideRow(source, y, row);
        std::int32_t* out = middle.data() + static_cast<std::size_t>(y - top) * rowValues;
        for (int x = 0; x < outWidth; ++x) {
            std::int64_t sum[4] = {0, 0, 0, 0};
            for (std::size_t t = across.first[x]; t < across.first[x + 1]; ++t) {
                const std::int32_t* in = row.data() + across.taps[t].index * 4;
                for (int c = 0; c < 4; ++c) sum[c] += std::int64_t{in[c]} * across.taps[t].weight;
            }
            for (int c = 0; c < 4; ++c) out[x * 4 + c] = static_cast<std::int32_t>(unweigh(sum[c]));
        }
    }

    WideImage image;
    image.width = outWidth;
    image.height = outHeight;
    image.values.resize(static_cast<std::size_t>(outHeight) * rowValues);
    for (int y = 0; y < outHeight; ++y) {
        std::int32_t* out = image.values.data() + static_cast<std::size_t>(y) * rowValues;
        for (std::size_t v = 0; v < rowValues; ++v) {
            std::int64_t sum = 0;
            for (std::size_t t = down.first[y]; t < down.first[y + 1]; ++t) {
                sum +=
                    std::int64_t{
                        middle[static_cast<std::size_t>(down.taps[t].index - top) * rowValues +
                               v]} *
                    down.taps[t].weight;
            }
            out[v] = static_cast<std::int32_t>(unweigh(sum));
        }
        // Interpolation overshoots near edges: keep alpha in range and colours within alpha.
        for (int x = 0; x < outWidth; ++x) {
            std::int32_t* px = out + x * 4;
            px[3] = std::clamp(px[3], 0, wideOne);
            for (int c = 0; c < 3; ++c) px[c] = std::clamp(px[c], 0, px[3]);
        }
    }
    return image;
}
