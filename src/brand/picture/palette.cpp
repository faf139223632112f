#include "brand/picture/palette.h"

#include <algorithm>
#include <cstddef>

namespace {

constexpr int refinementPasses = 8;

struct Counted {
    Rgb colour;
    std::uint32_t count;
};

int channelOf(Rgb c, int channel) { return static_cast<int>((c >> (16 - 8 * channel)) & 0xFF); }

// A box of median cut: a run of the counted colours, with the sums that give its error.
struct Box {
    std::size_t begin, end;
    std::uint64_t count = 0;
    std::uint64_t sum[3] = {0, 0, 0};
    std::uint64_t squares[3] = {0, 0, 0};

    // count times the variance of one channel.
    std::uint64_t spread(int c) const { return squares[c] - sum[c] * sum[c] / count; }
    std::uint64_t error() const { return spread(0) + spread(1) + spread(2); }
    Rgb mean() const {
        int v[3];
        for (int c = 0; c < 3; ++c) v[c] = static_cast<int>((sum[c] + count / 2) / count);
        return rgbOf(v[0], v[1], v[2]);
    }
};

Box measure(const std::vector<Counted>& colours, std::size_t begin, std::size_t end) {
    Box box{begin, end};
    for (std::size_t i = begin; i < end; ++i) {
        box.count += colours[i].count;
        for (int c = 0; c < 3; ++c) {
            std::uint64_t v = static_cast<std::uint64_t>(channelOf(colours[i].colour, c));
            box.sum[c] += v * colours[i].count;
            box.squares[c] += v * v * colours[i].count;
        }
    }
    return box;
}

// Sorts the box's colours along its widest channel and returns where to cut it so that
// the halves' summed squared error is least (the box holds at least two colours).
std::size_t cutPoint(std::vector<Counted>& colours, const Box& box) {
    int axis = 0;
    for (int c = 1; c < 3; ++c) {
        if (box.spread(c) > box.spread(axis)) axis = c;
    }
    // A stable counting sort on the one channel: linear, and the order of equal values
    // is the order they came in, so the result is the same everywhere.
    std::size_t starts[257] = {};
    for (std::size_t i = box.begin; i < box.end; ++i)
        ++starts[channelOf(colours[i].colour, axis) + 1];
    for (int v = 0; v < 256; ++v) starts[v + 1] += starts[v];
    std::vector<Counted> sorted(box.end - box.begin);
    for (std::size_t i = box.begin; i < box.end; ++i) {
        sorted[starts[channelOf(colours[i].colour, axis)]++] = colours[i];
    }
    std::copy(sorted.begin(), sorted.end(),
              colours.begin() + static_cast<std::ptrdiff_t>(box.begin));
    // Least error of the halves is most of sum^2 / count over both halves and channels.
    std::uint64_t count = 0;
    std::uint64_t sum[3] = {0, 0, 0};
    std::uint64_t best = 0;
    std::size_t cut = box.begin + 1;
    for (std::size_t i = box.begin; i + 1 < box.end; ++i) {
        count += colours[i].count;
        for (int c = 0; c < 3; ++c)
            sum[c] +=
                static_cast<std::uint64_t>(channelOf(colours[i].colour, c)) * colours[i].count;
        std::uint64_t rest = box.count - count;
        std::uint64_t score = 0;
        for (int c = 0; c < 3; ++c) {
            std::uint64_t other = box.sum[c] - sum[c];
            score += sum[c] * sum[c] / count + other * other / rest;
        }
        if (score > best) {
            best = score;
            cut = i + 1;
        }
    }
    return cut;
}

// The distinct colours of the pixels with their counts, in colour order.
std::vector<Counted> distinctColours(std::vector<Rgb> pixels) {
    std::sort(pixels.begin(), pixels.end());
    std::vector<Counted> colours;
    for (Rgb c : pixels) {
        if (!colours.empty() && colours.back().colour == c) {
            ++colours.back().count;
        } else {
            colours.push_back({c, 1});
        }
    }
    return colours;
}

}  // namespace

NearestColour::NearestColour(const std::vector<Rgb>& palette) {
    for (std::size_t i = 0; i < palette.size(); ++i) {
        byGreen_.push_back(
            {redOf(palette[i]), greenOf(palette[i]), blueOf(palette[i]), static_cast<int>(i)});
    }
    std::sort(byGreen_.begin(), byGreen_.end(), [](const Entry& x, const Entry& y) {
        return x.g != y.g ? x.g < y.g : x.index < y.index;
    });
}

int NearestColour::find(int r, int g, int b) const {
    auto start = std::lower_bound(byGreen_.begin(), byGreen_.end(), g,
                                  [](const Entry& e, int green) { return e.g < green; });
    int best = -1;
    int bestDistance = 0;
    auto consider = [&](const Entry& e) {
        int dr = e.r - r;
        int dg = e.g - g;
        int db = e.b - b;
        int distance = dr * dr + dg * dg + db * db;
        if (best < 0 || distance < bestDistance || (distance == bestDistance && e.index < best)) {
            best = e.index;
            bestDistance = distance;
        }
    };
    // Outwards from the green of the colour; a side ends once green alone is farther.
    for (auto it = start; it != byGreen_.end(); ++it) {
        int dg = it->g - g;
        if (best >= 0 && dg * dg > bestDistance) break;
        consider(*it);
    }
    for (auto it = start; it != byGreen_.begin();) {
        --it;
        int dg = g - it->g;
        if (best >= 0 && dg * dg > bestDistance) break;
        consider(*it);
    }
    return best;
}

std::vector<Rgb> choosePalette(const std::vector<Rgb>& pixels, int size) {
    std::vector<Counted> colours = distinctColours(pixels);
    if (colours.size() <= static_cast<std::size_t>(size)) {
        std::vector<Rgb> palette;
        for (const Counted& c : colours) palette.push_back(c.colour);
        return palette;
    }

    std::vector<Box> boxes{measure(colours, 0, colours.size())};
    while (boxes.size() < static_cast<std::size_t>(size)) {
        std::size_t worst = boxes.size();
        for (std::size_t i = 0; i < boxes.size(); ++i) {
            if (boxes[i].end - boxes[i].begin < 2) continue;
            if (worst == boxes.size() || boxes[i].error() > boxes[worst].error()) worst = i;
        }
        if (worst == boxes.size()) break;
        Box box = boxes[worst];
        std::size_t cut = cutPoint(colours, box);
        boxes[worst] = measure(colours, box.begin, cut);
        boxes.push_back(measure(colours, cut, box.end));
    }
    std::vector<Rgb> palette;
    for (const Box& box : boxes) palette.push_back(box.mean());

    for (int pass = 0; pass < refinementPasses; ++pass) {
        NearestColour nearest(palette);
        std::vector<std::uint64_t> sums(palette.size() * 4, 0);
        for (const Counted& c : colours) {
            int i = nearest.find(redOf(c.colour), greenOf(c.colour), blueOf(c.colour));
            std::uint64_t* s = &sums[static_cast<std::size_t>(i) * 4];
            for (int ch = 0; ch < 3; ++ch)
                s[ch] += static_cast<std::uint64_t>(channelOf(c.colour, ch)) * c.count;
            s[3] += c.count;
        }
        for (std::size_t i = 0; i < palette.size(); ++i) {
            const std::uint64_t* s = &sums[i * 4];
            if (s[3] == 0) continue;  // no pixel chose it: it stays where it was
            int v[3];
            for (int ch = 0; ch < 3; ++ch) v[ch] = static_cast<int>((s[ch] + s[3] / 2) / s[3]);
            palette[i] = rgbOf(v[0], v[1], v[2]);
        }
    }
    return palette;
}
