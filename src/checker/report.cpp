#include "checker/report.h"

#include <algorithm>
#include <utility>

#include "checker/menu_lines.h"

std::string placeText(const Place& place) {
    switch (place.kind) {
        case Place::Kind::Key:
            return "[" + place.section + "] " + place.key;
        case Place::Kind::Section:
            return "[" + place.section + "]";
        case Place::Kind::Path:
            break;
    }
    return place.path;
}

int countOf(const std::vector<Finding>& findings, Severity severity) {
    return static_cast<int>(
        std::count_if(findings.begin(), findings.end(),
                      [severity](const Finding& finding) { return finding.severity == severity; }));
}

int exitCode(const std::vector<Finding>& findings) {
    if (countOf(findings, Severity::Error) > 0) return 2;
    return countOf(findings, Severity::Warning) > 0 ? 1 : 0;
}

void Report::setMenuFile(const std::string& path, const MenuLines* lines) {
    menuFile_ = path;
    lines_ = lines;
}

void Report::info(const Place& where, const std::string& text) { add(Severity::Info, where, text); }

void Report::note(const Place& where, const std::string& text) { add(Severity::Note, where, text); }

void Report::warning(const Place& where, const std::string& text) {
    add(Severity::Warning, where, text);
}

void Report::error(const Place& where, const std::string& text) {
    add(Severity::Error, where, text);
}

void Report::add(Severity severity, const Place& where, const std::string& text) {
    Place place = where;
    if (place.inMenuFile()) {
        place.path = menuFile_;
        if (lines_ != nullptr) {
            // Lines are looked up by name: a key without a name stands for its section.
            const bool key = !place.key.empty();
            place.line = key ? lines_->keyLine(place.section, place.key, place.occurrence)
                             : lines_->sectionLine(place.section, place.occurrence);
            // A key that is missing belongs to its section's heading.
            if (place.line == 0 && key) place.line = lines_->sectionLine(place.section);
        }
    }
    findings_.push_back({severity, place, text, codePage_, std::nullopt});
}

void Report::addSuggestion(std::size_t index, const std::string& words, std::optional<Fix> fix) {
    if (index >= findings_.size()) return;
    findings_[index].text += "; " + words;
    findings_[index].fix = std::move(fix);
}

Place keyPlace(const std::string& section, const std::string& key, int occurrence) {
    return Place(Place::Kind::Key, section, key, occurrence);
}

Place sectionPlace(const std::string& section, int occurrence) {
    return Place(Place::Kind::Section, section, std::string(), occurrence);
}

std::string quoted(const std::string& text) { return "\"" + text + "\""; }

const char* severityName(Severity severity) {
    switch (severity) {
        case Severity::Info:
            return "info";
        case Severity::Note:
            return "note";
        case Severity::Warning:
            return "warning";
        case Severity::Error:
            break;
    }
    return "error";
}
