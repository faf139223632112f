#include "checker/near_name.h"

#include <algorithm>

static char lowerAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool sameName(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (lowerAscii(a[i]) != lowerAscii(b[i])) return false;
    }
    return true;
}

std::string comparableName(std::string name) {
    for (char& c : name) c = lowerAscii(c);
    return name;
}

std::size_t editDistance(const std::string& a, const std::string& b) {
    // Rows i-2, i-1 and i of the usual table; a swap of neighbours counts as one edit.
    const std::size_t width = b.size() + 1;
    std::vector<std::size_t> before(width), previous(width), current(width);
    for (std::size_t j = 0; j < width; ++j) previous[j] = j;
    for (std::size_t i = 1; i <= a.size(); ++i) {
        current[0] = i;
        for (std::size_t j = 1; j < width; ++j) {
            const bool differ = lowerAscii(a[i - 1]) != lowerAscii(b[j - 1]);
            current[j] =
                std::min({previous[j] + 1, current[j - 1] + 1, previous[j - 1] + (differ ? 1 : 0)});
            if (i > 1 && j > 1 && lowerAscii(a[i - 1]) == lowerAscii(b[j - 2]) &&
                lowerAscii(a[i - 2]) == lowerAscii(b[j - 1])) {
                current[j] = std::min(current[j], before[j - 2] + 1);
            }
        }
        before.swap(previous);
        previous.swap(current);
    }
    return previous[b.size()];
}

std::string nearestName(const std::string& name, const std::vector<std::string>& candidates) {
    std::string nearest;
    std::size_t best = 0;
    for (const std::string& candidate : candidates) {
        const std::size_t distance = editDistance(name, candidate);
        if (nearest.empty() || distance < best) {
            nearest = candidate;
            best = distance;
        }
    }
    // A third of the intended name may be wrong: nothing for names of one or two characters.
    const std::size_t allowed = std::min<std::size_t>(nearest.size() / 3, 3);
    return best <= allowed ? nearest : std::string();
}
