#include "brand/brand_options.h"

#include "config/colour_table.h"

namespace {

// A path as given: "E:\" on a command line arrives as E:" (the backslash escapes the quote),
// and no path holds a quotation mark.
std::string pathArgument(std::string argument) {
    if (!argument.empty() && argument.back() == '"') argument.pop_back();
    return argument;
}

int hexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

}  // namespace

bool parseColour(const std::string& text, std::uint32_t& colour) {
    if (text.size() == 7 && text[0] == '#') {
        std::uint32_t rgb = 0;
        for (std::size_t i = 1; i < 7; ++i) {
            const int digit = hexDigit(text[i]);
            if (digit < 0) return false;
            rgb = rgb * 16 + static_cast<std::uint32_t>(digit);
        }
        colour = ((rgb >> 16) & 0xFF) | (rgb & 0xFF00) | ((rgb & 0xFF) << 16);
        return true;
    }
    if (text.empty() || text.size() > 2) return false;
    int number = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return false;
        number = number * 10 + (c - '0');
    }
    if (number >= kColourCount) return false;
    colour = colourFromIndex(number);
    return true;
}

bool parseBrandOptions(int argc, const char* const* argv, BrandOptions& options,
                       std::string& problem) {
    std::string* paths[] = {&options.menu, &options.output};
    int pathCount = 0;
    bool fitSeen = false;
    for (int i = 1; i < argc; ++i) {
        std::string argument = argv[i];
        if (argument == "--help" || argument == "-h" || argument == "/?") {
            options.help = true;
            continue;
        }
        if (argument.size() < 2 || argument[0] != '-') {
            if (pathArgument(argument).empty()) {
                problem = "an empty argument where MENU.exe or OUTPUT.exe belongs";
                return false;
            }
            if (pathCount == 2) {
                problem = "more than MENU.exe and OUTPUT.exe given: " + argument;
                return false;
            }
            *paths[pathCount++] = pathArgument(argument);
            continue;
        }
        // --name VALUE or --name=VALUE
        std::string value;
        bool hasValue = false;
        const std::size_t equals = argument.find('=');
        if (equals != std::string::npos) {
            value = argument.substr(equals + 1);
            argument.resize(equals);
            hasValue = true;
        }
        const bool known = argument == "--picture" || argument == "--icon" ||
                           argument == "--fit" || argument == "--company" ||
                           argument == "--product" || argument == "--description" ||
                           argument == "--copyright";
        if (!known) {
            problem = "unknown option " + argument;
            return false;
        }
        if (!hasValue) {
            if (i + 1 >= argc) {
                problem = argument + " needs a value";
                return false;
            }
            value = argv[++i];
        }
        bool repeated = false;
        if (argument == "--picture") {
            repeated = !options.picture.empty();
            options.picture = pathArgument(value);
        } else if (argument == "--icon") {
            repeated = !options.icon.empty();
            options.icon = pathArgument(value);
        } else if (argument == "--fit") {
            repeated = fitSeen;
            fitSeen = true;
            options.fit = true;
            if (!parseColour(value, options.fitColour)) {
                problem = "--fit needs a colour, #RRGGBB or a colour number 0 to 17: " + value;
                return false;
            }
        } else {
            std::optional<std::string>& text = argument == "--company"    ? options.company
                                               : argument == "--product"  ? options.product
                                               : argument == "--description" ? options.description
                                                                            : options.copyright;
            repeated = text.has_value();
            text = value;
        }
        if (repeated) {
            problem = argument + " given twice";
            return false;
        }
    }
    if (options.help) return true;
    if (options.picture.empty()) {
        problem = "no picture given (--picture IMAGE)";
        return false;
    }
    if (pathCount < 2) {
        problem = pathCount == 0 ? "no MENU.exe and OUTPUT.exe given" : "no OUTPUT.exe given";
        return false;
    }
    return true;
}
