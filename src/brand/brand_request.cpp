#include "brand/brand_request.h"

#include <iterator>

std::string requestProblem(const BrandRequest& request) {
    if (request.fitColour && !request.picture) return "--fit goes with --picture IMAGE";
    if (request.picture || request.icon) return {};
    std::string options = "--picture, --icon";
    const std::size_t count = std::size(kVersionNames);
    for (std::size_t i = 0; i < count; ++i) {
        if ((request.*kVersionNames[i].text).has_value()) return {};
        options += (i + 1 < count ? ", " : " or ") + std::string(kVersionNames[i].option);
    }
    return "nothing to change: give " + options;
}

int exitCodeOf(BrandOutcome outcome) {
    switch (outcome) {
        case BrandOutcome::written:
            return 0;
        case BrandOutcome::refused:
            return 2;
        case BrandOutcome::failed:
            return 1;
    }
    return 1;
}
