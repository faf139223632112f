#include "brand/brand_request.h"

#include <algorithm>
#include <iterator>

std::string requestProblem(const BrandRequest& request) {
    if (request.fitColour && !request.picture) return "--fit goes with --picture IMAGE";
    if (request.signPfx && request.signStore)
        return "--sign and --sign-store both given: sign with one certificate";
    if (request.passwordFile && !request.signPfx)
        return "--password-file goes with --sign CERT.pfx";
    if (request.timestampUrl && !asksToSign(request))
        return "--timestamp goes with --sign CERT.pfx or --sign-store THUMBPRINT";
    const bool changes = request.picture || request.icon ||
                         std::any_of(std::begin(kVersionNames), std::end(kVersionNames),
                                     [&request](const VersionName& name) {
                                         return (request.*name.text).has_value();
                                     });
    if (request.signOnly) {
        if (!asksToSign(request))
            return "--sign-only needs --sign CERT.pfx or --sign-store THUMBPRINT";
        if (changes)
            return "--sign-only signs MENU.exe as it is: leave out the picture, icon and names, "
                   "or leave out --sign-only";
        return {};
    }
    if (changes) return {};
    std::string options = "--picture, --icon";
    const std::size_t count = std::size(kVersionNames);
    for (std::size_t i = 0; i < count; ++i) {
        if ((request.*kVersionNames[i].text).has_value()) return {};
        options += (i + 1 < count ? ", " : " or ") + std::string(kVersionNames[i].option);
    }
    return "nothing to change: give " + options +
           (asksToSign(request) ? " (or --sign-only to sign MENU.exe as it is)" : "");
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
