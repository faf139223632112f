#include "checker/entry_fields.h"

#include "checker/near_name.h"
#include "checker/value_text.h"

std::vector<std::string> splitEntryLine(const std::string& line) {
    std::vector<std::string> fields;
    std::size_t start = 0;
    while (fields.size() < kFieldsPerEntry) {
        const std::size_t bar = line.find('|', start);
        if (bar == std::string::npos) break;
        fields.push_back(line.substr(start, bar - start));
        start = bar + 1;
    }
    fields.push_back(line.substr(start));
    return fields;
}

bool isWebAddressWithoutScheme(const std::string& command) {
    return command.size() > 4 && sameName(command.substr(0, 4), "www.");
}

std::string lineThatCloses(const std::vector<std::string>& fields) {
    std::vector<std::string> written = fields;
    const bool oneBarShort = written.size() == kFieldsPerEntry && trimmed(written.back()) == "1";
    if (oneBarShort) written.back().clear();
    written.resize(kFieldsPerEntry);
    std::string line;
    for (const std::string& field : written) line += field + "|";
    return line + "1";
}
