#include "checker/entry_fields.h"

#include <cstdlib>

#include "checker/near_name.h"
#include "checker/value_text.h"
#include "config/entry_line.h"

std::vector<std::string> entryFields(const std::string& line) {
    EntryLineFields cut;
    cutEntryLine(line.c_str(), cut);
    std::vector<std::string> fields;
    for (std::size_t i = 0; i < kEntryFieldCount; ++i) {
        if (i < cut.written) fields.push_back(cut.fields[i] != nullptr ? cut.fields[i] : "");
        std::free(cut.fields[i]);
    }
    if (cut.closeFlag != nullptr) fields.push_back(cut.closeFlag);
    return fields;
}

bool isWebAddressWithoutScheme(const std::string& command) {
    return command.size() > 4 && sameName(command.substr(0, 4), "www.");
}

std::string lineThatCloses(const std::vector<std::string>& fields) {
    std::vector<std::string> written = fields;
    const bool oneBarShort = written.size() == kEntryFieldCount && trimmed(written.back()) == "1";
    if (oneBarShort) written.back().clear();
    written.resize(kEntryFieldCount);
    std::string line;
    for (const std::string& field : written) line += field + "|";
    return line + "1";
}
