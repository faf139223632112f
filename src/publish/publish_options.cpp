#include "publish/publish_options.h"

#include "publish/utf16_text.h"

namespace {

// Days since 1970-01-01 of a civil date.
std::int64_t daysFromCivil(std::int64_t year, int month, int day) {
    year -= month <= 2 ? 1 : 0;
    const std::int64_t era = (year >= 0 ? year : year - 399) / 400;
    const std::int64_t yearOfEra = year - era * 400;
    const std::int64_t dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const std::int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

// Reads `count` digits at `at`; false when they are not all digits.
bool digits(const std::string& text, std::size_t at, std::size_t count, int& value) {
    if (at + count > text.size()) return false;
    value = 0;
    for (std::size_t i = at; i < at + count; ++i) {
        if (text[i] < '0' || text[i] > '9') return false;
        value = value * 10 + (text[i] - '0');
    }
    return true;
}

}  // namespace

bool readTime(const std::u16string& wide, std::int64_t& seconds) {
    const std::string text = utf8FromUtf16(wide);
    if (text.empty()) return false;
    if (text.find('-') == std::string::npos) {
        if (text.size() > 12) return false;
        std::int64_t value = 0;
        for (char c : text) {
            if (c < '0' || c > '9') return false;
            value = value * 10 + (c - '0');
        }
        seconds = value;
        return true;
    }
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
    if (!digits(text, 0, 4, year) || text.size() < 10 || text[4] != '-' ||
        !digits(text, 5, 2, month) || text[7] != '-' || !digits(text, 8, 2, day)) {
        return false;
    }
    std::size_t at = 10;
    if (at < text.size()) {
        if ((text[at] != 'T' && text[at] != ' ') || !digits(text, at + 1, 2, hour) ||
            at + 3 >= text.size() || text[at + 3] != ':' || !digits(text, at + 4, 2, minute)) {
            return false;
        }
        at += 6;
        if (at < text.size() && text[at] == ':') {
            if (!digits(text, at + 1, 2, second)) return false;
            at += 3;
        }
        if (at < text.size() && text[at] == 'Z') ++at;
        if (at != text.size()) return false;
    }
    static const int kMonthDays[] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (year < 1970 || month < 1 || month > 12 || day < 1 || day > kMonthDays[month - 1] ||
        hour > 23 || minute > 59 || second > 59) {
        return false;
    }
    seconds = daysFromCivil(year, month, day) * 86400 + hour * 3600 + minute * 60 + second;
    return true;
}

PublishOptions readPublishOptions(const std::vector<std::u16string>& arguments) {
    PublishOptions options;
    auto complain = [&](const std::string& problem) {
        if (options.problem.empty()) options.problem = problem;
    };
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::u16string& argument = arguments[i];
        auto value = [&](const char* what) -> std::u16string {
            if (i + 1 < arguments.size()) return arguments[++i];
            complain(utf8FromUtf16(argument) + " needs " + what);
            return u"";
        };
        if (argument == u"--help" || argument == u"-h" || argument == u"/?") {
            options.help = true;
        } else if (argument == u"--force") {
            options.force = true;
        } else if (argument == u"--allow-nonempty") {
            options.allowNonEmpty = true;
        } else if (argument == u"--label") {
            options.label = value("a label");
            options.labelGiven = true;
        } else if (argument == u"--time") {
            const std::u16string text = value("a time");
            options.timeGiven = true;
            if (text.empty() && i < arguments.size() && arguments[i].empty()) {
                complain("--time needs a time");
            } else if (!text.empty() && !readTime(text, options.time)) {
                complain(
                    "--time takes seconds since 1970 or a UTC date such as "
                    "2026-12-09T17:30:00Z, not \"" +
                    utf8FromUtf16(text) + "\"");
            }
        } else if (argument == u"--to") {
            options.target = value("a drive or folder");
            if (options.target.empty()) complain("--to needs a drive or folder");
        } else if (argument.size() > 1 && argument[0] == u'-') {
            complain("unknown option " + utf8FromUtf16(argument));
        } else if (options.medium.empty()) {
            options.medium = argument;
        } else if (options.image.empty()) {
            options.image = argument;
        } else {
            complain("one medium and one image at a time");
        }
    }
    if (options.help) return options;
    if (options.medium.empty()) complain("no medium given");
    if (options.image.empty() && options.target.empty())
        complain("no image (OUT.iso) or --to given");
    if (!options.image.empty() && !options.target.empty()) {
        complain("an image or --to, not both");
    }
    if (options.labelGiven && options.label.empty()) complain("--label needs a label");
    if (options.allowNonEmpty && options.target.empty()) {
        complain("--allow-nonempty is for --to");
    }
    return options;
}
