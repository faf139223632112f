#include "publish/disc_sizes.h"

const std::vector<DiscKind>& discKinds() {
    static const std::vector<DiscKind> kinds = {
        {"CD (700 MB)", 360000ull * 2048},
        {"DVD (4.7 GB)", 2295104ull * 2048},
        {"dual-layer DVD (8.5 GB)", 4173824ull * 2048},
    };
    return kinds;
}

std::string groupedNumber(std::uint64_t value) {
    std::string digits = std::to_string(value);
    for (int at = static_cast<int>(digits.size()) - 3; at > 0; at -= 3) {
        digits.insert(static_cast<std::size_t>(at), ",");
    }
    return digits;
}

std::vector<std::string> discFitLines(std::uint64_t imageBytes) {
    std::vector<std::string> lines;
    for (const DiscKind& kind : discKinds()) {
        if (imageBytes <= kind.bytes) {
            const std::uint64_t percent = (imageBytes * 100 + kind.bytes - 1) / kind.bytes;
            lines.push_back(std::string(kind.name) + ": fits, " + std::to_string(percent) +
                            "% full");
        } else {
            const std::uint64_t over = imageBytes - kind.bytes;
            const std::uint64_t megabytes = (over + 999999) / 1000000;
            lines.push_back(std::string(kind.name) + ": too small by " + groupedNumber(megabytes) +
                            " MB");
        }
    }
    return lines;
}
