#include "brand/brand_options.h"

#include "brand/picture/menu_frame.h"
#include "brand/version_info.h"
#include "config/colour_table.h"
#include "console/arguments.h"
#include "window/layout.h"

namespace {

int hexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// The options that take a value, besides the names of kVersionNames.
enum class Value { file, colour, text };
struct Option {
    const char* name;
    Value value;
    std::optional<std::string> BrandRequest::*field;  // where a file or text goes
};
constexpr Option kOptions[] = {
    {"--picture", Value::file, &BrandRequest::picture},
    {"--icon", Value::file, &BrandRequest::icon},
    {"--fit", Value::colour, nullptr},
    {"--sign", Value::file, &BrandRequest::signPfx},
    {"--sign-store", Value::text, &BrandRequest::signStore},
    {"--timestamp", Value::text, &BrandRequest::timestampUrl},
    {"--password-file", Value::file, &BrandRequest::passwordFile},
};

// The option called `name`, as a row of kOptions or of kVersionNames; false when unknown.
bool findOption(const std::string& name, Option& option) {
    for (const Option& row : kOptions) {
        if (name == row.name) {
            option = row;
            return true;
        }
    }
    for (const VersionName& row : kVersionNames) {
        if (name == row.option) {
            option = {row.option, Value::text, row.text};
            return true;
        }
    }
    return false;
}

// Puts `value` of `option` into `request`. False with the problem when the value is not
// one the option takes or the option was given before.
bool take(const Option& option, const std::string& value, BrandRequest& request,
          std::string& problem) {
    const std::string name = option.name;
    bool repeated = false;
    switch (option.value) {
        case Value::file:
            if (pathArgument(value).empty()) {
                problem = name + " needs a file, not an empty argument";
                return false;
            }
            repeated = (request.*option.field).has_value();
            request.*option.field = pathArgument(value);
            break;
        case Value::colour: {
            std::uint32_t colour = 0;
            if (!parseColour(value, colour)) {
                problem = name + " needs a colour, #RRGGBB or a colour number 0 to " +
                          std::to_string(kColourCount - 1) + ": " + value;
                return false;
            }
            repeated = request.fitColour.has_value();
            request.fitColour = colour;
            break;
        }
        case Value::text:
            repeated = (request.*option.field).has_value();
            request.*option.field = value;
            break;
    }
    if (repeated) {
        problem = name + " given twice";
        return false;
    }
    return true;
}

// Puts `value` in place of `mark` in `text`.
void replace(std::string& text, const std::string& mark, const std::string& value) {
    const std::size_t at = text.find(mark);
    if (at != std::string::npos) text.replace(at, mark.size(), value);
}

// "x LEFT-RIGHT, y TOP-BOTTOM" of a part of the menu window.
std::string areaText(std::int32_t left, std::int32_t right, std::int32_t top, std::int32_t bottom) {
    return "x " + std::to_string(left) + "-" + std::to_string(right) + ", y " +
           std::to_string(top) + "-" + std::to_string(bottom);
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
    std::string* paths[] = {&options.request.menu, &options.request.output};
    int pathCount = 0;
    for (int i = 1; i < argc; ++i) {
        std::string argument = argv[i];
        if (argument == "--help" || argument == "-h" || argument == "/?") {
            options.help = true;
            continue;
        }
        if (argument == "--sign-only") {
            if (options.request.signOnly) {
                problem = "--sign-only given twice";
                return false;
            }
            options.request.signOnly = true;
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
        Option option{};
        if (!findOption(argument, option)) {
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
        if (!take(option, value, options.request, problem)) return false;
    }
    if (options.help) return true;
    problem = requestProblem(options.request);
    if (!problem.empty()) return false;
    if (options.request.signOnly) {
        if (pathCount != 1) {
            problem = pathCount == 0 ? "no MENU.exe given"
                                     : "--sign-only signs MENU.exe in place: give no OUTPUT.exe";
            return false;
        }
        return true;
    }
    if (pathCount < 2) {
        problem = pathCount == 0 ? "no MENU.exe and OUTPUT.exe given" : "no OUTPUT.exe given";
        return false;
    }
    return true;
}

std::string brandUsage() {
    std::string usage =
        "Usage: autorun-menu-brand [--picture IMAGE [--fit COLOUR]] [--icon ICON]\n"
        "         [--company TEXT] [--product TEXT] [--description TEXT]\n"
        "         [--copyright TEXT] [SIGNING] MENU.exe OUTPUT.exe\n"
        "       autorun-menu-brand --sign-only SIGNING MENU.exe\n"
        "\n"
        "Writes OUTPUT.exe: a copy of the menu program MENU.exe (autorun-menu.exe of\n"
        "this release) that shows your picture and icon and carries your names. Give\n"
        "at least one of them; what you leave out stays as MENU.exe has it. MENU.exe\n"
        "is never changed.\n"
        "\n"
        "  --picture IMAGE  the menu's picture: PNG, JPEG, BMP, GIF or TIFF, any size.\n"
        "                   It is scaled to cover {frame} pixels, the centre cut out,\n"
        "                   and reduced to 256 colours. Keep {captions} (the\n"
        "                   entries) and {comment} (the comment box) calm\n"
        "                   and light.\n"
        "  --fit COLOUR     show the whole picture instead, with bars of COLOUR where\n"
        "                   it does not fill the window: #RRGGBB or a colour number\n"
        "                   0-{last colour} of autorun.inf\n"
        "  --icon ICON      the window's and the file's icon: an icon file (.ico), or\n"
        "                   a square PNG or BMP made into 16 to 256 pixel icons\n"
        "  --company TEXT, --product TEXT, --description TEXT, --copyright TEXT\n"
        "                   the names Windows shows in the file's Properties and in\n"
        "                   prompts (at most {longest} characters each); the version numbers\n"
        "                   stay the menu's\n"
        "  --help           print this text\n"
        "\n"
        "SIGNING: --sign CERT.pfx [--password-file FILE] | --sign-store THUMBPRINT,\n"
        "         and [--timestamp URL]\n"
        "  --sign CERT.pfx  sign the program written with the certificate and key in\n"
        "                   CERT.pfx. The password is the first line of FILE, or the\n"
        "                   environment variable AUTORUN_MENU_SIGN_PASSWORD, or else\n"
        "                   asked for; never give it on the command line\n"
        "  --sign-store THUMBPRINT\n"
        "                   sign with the code-signing certificate of that SHA-1\n"
        "                   thumbprint in your certificate store (Personal); its key\n"
        "                   may lie on a token or smart card\n"
        "  --timestamp URL  have the signature time-stamped by that RFC 3161 server, so\n"
        "                   it stays valid after the certificate expires\n"
        "  --sign-only      sign MENU.exe as it is, in place (a signature it has is\n"
        "                   replaced)\n"
        "\n"
        "Exit code: 0 written and checked; 2 nothing written because of the input (the\n"
        "message says which); 1 nothing written because writing or checking failed.\n"
        "A signed MENU.exe loses its signature: sign OUTPUT.exe again (SIGNING).\n";
    replace(usage, "{frame}", std::to_string(menuWidth) + " x " + std::to_string(menuHeight));
    // The captions' area as the layout gives it; the comment box by its first and last
    // columns and rows.
    replace(
        usage, "{captions}",
        areaText(kCaptionsArea.left, kCaptionsArea.right, kCaptionsArea.top, kCaptionsArea.bottom));
    replace(
        usage, "{comment}",
        areaText(kCommentBox.left, kCommentBox.right - 1, kCommentBox.top, kCommentBox.bottom - 1));
    replace(usage, "{last colour}", std::to_string(kColourCount - 1));
    replace(usage, "{longest}", std::to_string(kMaxVersionText));
    return usage;
}
