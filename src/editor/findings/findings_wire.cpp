#include "editor/findings/findings_wire.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

namespace {

// The first bytes of every encoded result; a new layout gets a new number.
const char kMagic[] = "autorun-menu findings 1\n";
constexpr std::size_t kMagicSize = sizeof kMagic - 1;

// The fewest bytes a finding and a string take, so a count can be checked against what is
// left before anything is allocated for it.
constexpr std::size_t kSmallestString = 4;
constexpr std::size_t kSmallestFinding =
    1 + 1 + 3 * kSmallestString + 4 + 4 + kSmallestString + 4 + 1;

void putNumber(std::string& out, std::uint32_t value) {
    for (int i = 0; i < 4; ++i, value >>= 8) out.push_back(static_cast<char>(value & 0xFF));
}

void putText(std::string& out, const std::string& text) {
    putNumber(out, static_cast<std::uint32_t>(text.size()));
    out += text;
}

// Reads fields from the front of the bytes; every read fails once one has.
class Reader {
public:
    Reader(const std::string& bytes, std::size_t start) : bytes_(bytes), at_(start) {}

    bool ok() const { return ok_; }
    bool atEnd() const { return at_ == bytes_.size(); }
    std::size_t left() const { return bytes_.size() - at_; }

    std::uint8_t byte() {
        if (!take(1)) return 0;
        return static_cast<std::uint8_t>(bytes_[at_ - 1]);
    }
    std::uint32_t number() {
        if (!take(4)) return 0;
        std::uint32_t value = 0;
        for (std::size_t i = 0; i < 4; ++i)
            value |= static_cast<std::uint32_t>(static_cast<unsigned char>(bytes_[at_ - 4 + i]))
                     << (8 * i);
        return value;
    }
    // A number that fits an int and is not negative.
    int nonNegative() {
        const std::uint32_t value = number();
        if (value > 0x7FFFFFFFu) ok_ = false;
        return ok_ ? static_cast<int>(value) : 0;
    }
    bool flag() {
        const std::uint8_t value = byte();
        if (value > 1) ok_ = false;
        return value == 1;
    }
    std::string text() {
        const std::uint32_t size = number();
        if (!ok_ || size > left()) {
            ok_ = false;
            return {};
        }
        at_ += size;
        return bytes_.substr(at_ - size, size);
    }
    // A count of items that take at least `smallest` bytes each, which the rest can hold.
    std::size_t items(std::size_t smallest) {
        const std::uint32_t value = number();
        if (!ok_ || value > left() / smallest) {
            ok_ = false;
            return 0;
        }
        return value;
    }
    void fail() { ok_ = false; }

private:
    bool take(std::size_t size) {
        if (!ok_ || size > left()) {
            ok_ = false;
            return false;
        }
        at_ += size;
        return true;
    }

    const std::string& bytes_;
    std::size_t at_;
    bool ok_ = true;
};

bool readFinding(Reader& in, std::vector<Finding>& findings) {
    const std::uint8_t severity = in.byte();
    const std::uint8_t kind = in.byte();
    if (severity > static_cast<std::uint8_t>(Severity::Error) ||
        kind > static_cast<std::uint8_t>(Place::Kind::Key)) {
        in.fail();
    }
    std::string path = in.text();
    std::string section = in.text();
    std::string key = in.text();
    const int occurrence = in.nonNegative();
    const int line = in.nonNegative();
    Place place(static_cast<Place::Kind>(kind), section, key, occurrence);
    place.path = std::move(path);
    place.line = line;
    std::string text = in.text();
    const unsigned codePage = in.number();
    std::optional<Fix> fix;
    if (in.flag()) {
        Fix offered;
        offered.section = in.text();
        offered.key = in.text();
        const std::size_t values = in.items(kSmallestString);
        for (std::size_t i = 0; i < values && in.ok(); ++i) offered.values.push_back(in.text());
        fix = std::move(offered);
    }
    if (!in.ok()) return false;
    findings.push_back({static_cast<Severity>(severity), std::move(place), std::move(text),
                        codePage, std::move(fix)});
    return true;
}

}  // namespace

std::string encodeCheckResult(const CheckResult& result) {
    std::string out(kMagic, kMagicSize);
    out.push_back(result.complete ? 1 : 0);
    putText(out, result.menuFile);
    putNumber(out, static_cast<std::uint32_t>(result.findings.size()));
    for (const Finding& finding : result.findings) {
        out.push_back(static_cast<char>(finding.severity));
        out.push_back(static_cast<char>(finding.place.kind));
        putText(out, finding.place.path);
        putText(out, finding.place.section);
        putText(out, finding.place.key);
        putNumber(out, static_cast<std::uint32_t>(finding.place.occurrence));
        putNumber(out, static_cast<std::uint32_t>(finding.place.line));
        putText(out, finding.text);
        putNumber(out, finding.codePage);
        out.push_back(finding.fix ? 1 : 0);
        if (finding.fix) {
            putText(out, finding.fix->section);
            putText(out, finding.fix->key);
            putNumber(out, static_cast<std::uint32_t>(finding.fix->values.size()));
            for (const std::string& value : finding.fix->values) putText(out, value);
        }
    }
    return out;
}

bool decodeCheckResult(const std::string& bytes, CheckResult& result) {
    if (bytes.compare(0, kMagicSize, kMagic, kMagicSize) != 0) return false;
    Reader in(bytes, kMagicSize);
    CheckResult decoded;
    decoded.complete = in.flag();
    decoded.menuFile = in.text();
    const std::size_t count = in.items(kSmallestFinding);
    decoded.findings.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        if (!readFinding(in, decoded.findings)) return false;
    }
    if (!in.ok() || !in.atEnd()) return false;
    result = std::move(decoded);
    return true;
}
