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

std::string exampleHost(const std::string& command) {
    const std::size_t scheme = command.find("://");
    if (scheme == std::string::npos) return {};
    const std::string kind = command.substr(0, scheme);
    if (!sameName(kind, "http") && !sameName(kind, "https")) return {};
    const std::size_t start = scheme + 3;
    const std::size_t end = command.find_first_of("/:?#", start);
    std::string host = command.substr(start, end == std::string::npos ? end : end - start);
    for (char& c : host) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    if (!host.empty() && host.back() == '.') host.pop_back();
    const auto under = [&host](const std::string& domain) {
        return host == domain ||
               (host.size() > domain.size() && host.compare(host.size() - domain.size() - 1,
                                                            std::string::npos, "." + domain) == 0);
    };
    for (const char* domain : {"example.com", "example.net", "example.org", "example"}) {
        if (under(domain)) return host;
    }
    return {};
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
