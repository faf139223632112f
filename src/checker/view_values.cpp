#include "checker/view_values.h"

#include "checker/report.h"
#include "checker/value_text.h"
#include "config/colour_table.h"

static const char* const kColourNames[kColourCount] = {
    "black", "black", "navy",    "maroon", "green",  "blue", "teal",  "purple", "olive",
    "grey",  "red",   "magenta", "lime",   "yellow", "cyan", "white", "silver", "light grey",
};

std::string colourText(std::int32_t index) {
    const char* name = isColourNumber(index) ? kColourNames[index] : "black";
    return std::to_string(index) + " (" + name + ")";
}

std::string refusedValue(const ViewKey& key, const std::string& value, std::int32_t taken,
                         std::int32_t defaultValue) {
    const std::string given = quoted(value);
    switch (key.kind) {
        case ViewKind::Flag:
            if (taken > 0) return {};
            if (defaultValue > 0) {
                return given +
                       " cannot switch this off: the file can only switch a flag on, so it stays " +
                       std::to_string(defaultValue);
            }
            if (isWrittenZero(value)) return {};
            return given +
                   " does not read as a number above 0: it stays 0 (write 1 to switch it on)";
        case ViewKind::Number:
            if (taken > 0) return {};
            return given + " does not read as a number above 0: it stays " +
                   std::to_string(defaultValue);
        case ViewKind::Colour:
            if (taken <= 0) {
                return given + " is not a colour number from 1 to 17: it stays " +
                       colourText(defaultValue);
            }
            if (!isColourNumber(taken)) {
                return "colour " + std::to_string(taken) + " is outside 1 to 17: it stays " +
                       colourText(defaultValue);
            }
            return {};
        case ViewKind::Text:
            if (value.size() < kFaceNameSize) return {};
            return std::to_string(value.size()) + " characters: the menu takes only the first " +
                   std::to_string(kFaceNameSize - 1);
    }
    return {};
}
