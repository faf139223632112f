#include "editor/findings/findings_result.h"

void putBackMenuFile(CheckResult& result, const std::string& checked, const std::string& real) {
    // The checker names the file as it was given, or as it made that full.
    const std::string named = result.menuFile;
    const auto isCopy = [&](const std::string& path) {
        return path == checked || (!named.empty() && path == named);
    };
    if (isCopy(result.menuFile)) result.menuFile = real;
    for (Finding& finding : result.findings) {
        if (isCopy(finding.place.path)) finding.place.path = real;
    }
}

CheckResult failedCheck(const std::string& menuFile, const std::string& reason, unsigned codePage) {
    CheckResult result;
    result.menuFile = menuFile;
    result.findings.push_back(
        {Severity::Error, Place(menuFile), "not checked: " + reason, codePage, std::nullopt});
    return result;
}
