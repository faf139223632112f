#include "sign/timestamp.h"

#include "bytes/sha256.h"
#include "sign/der.h"

namespace {

constexpr const char* kSha256 = "2.16.840.1.101.3.4.2.1";
constexpr const char* kSignedData = "1.2.840.113549.1.7.2";

Bytes messageImprint(const Bytes& signature) {
    return der::sequence({der::algorithm(kSha256), der::octetString(sha256(signature))});
}

// The message imprint (DER) the token `token` stamps; empty when it cannot be found.
// ContentInfo { signedData, [0] SignedData { version, digestAlgorithms, encapContentInfo
// { eContentType, [0] OCTET STRING TSTInfo { version, policy, messageImprint, ... } } } }
Bytes stampedImprint(const Bytes& token) {
    der::Item info, type, explicitData, data, item, encapsulated, eType, eExplicit, octets;
    if (!der::read(token, 0, token.size(), info) || !der::first(token, info, type) ||
        der::whole(token, type) != der::oid(kSignedData) ||
        !der::next(token, info, type, explicitData) || !der::first(token, explicitData, data) ||
        !der::first(token, data, item) || !der::next(token, data, item, item) ||
        !der::next(token, data, item, encapsulated) || !der::first(token, encapsulated, eType) ||
        !der::next(token, encapsulated, eType, eExplicit) ||
        !der::first(token, eExplicit, octets) || octets.tag != der::kOctetString)
        return {};
    const Bytes tstBytes = der::contentOf(token, octets);
    der::Item tst, version, policy, imprint;
    if (!der::read(tstBytes, 0, tstBytes.size(), tst) || !der::first(tstBytes, tst, version) ||
        !der::next(tstBytes, tst, version, policy) || !der::next(tstBytes, tst, policy, imprint))
        return {};
    return der::whole(tstBytes, imprint);
}

// The words of a PKIFreeText (SEQUENCE OF UTF8String), joined by "; ".
std::string freeText(const Bytes& data, const der::Item& text) {
    std::string words;
    der::Item line;
    for (bool more = der::first(data, text, line); more; more = der::next(data, text, line, line)) {
        if (!words.empty()) words += "; ";
        words.append(data.begin() + static_cast<std::ptrdiff_t>(line.content),
                     data.begin() + static_cast<std::ptrdiff_t>(line.end));
    }
    return words;
}

}  // namespace

Bytes timestampRequest(const Bytes& signature) {
    return der::sequence(
        {der::integer(1), messageImprint(signature), Bytes{der::kBoolean, 1, 0xFF}});
}

bool timestampToken(const Bytes& response, const Bytes& signature, Bytes& token,
                    std::string& problem) {
    // TimeStampResp ::= SEQUENCE { status PKIStatusInfo, timeStampToken OPTIONAL }
    // PKIStatusInfo ::= SEQUENCE { status INTEGER, statusString PKIFreeText OPTIONAL, ... }
    der::Item answer, status, code, text, tokenItem;
    if (!der::read(response, 0, response.size(), answer) || answer.tag != der::kSequence ||
        answer.end != response.size() || !der::first(response, answer, status) ||
        status.tag != der::kSequence || !der::first(response, status, code) ||
        code.tag != der::kInteger || code.size() != 1) {
        problem = "its answer is not a time stamp";
        return false;
    }
    const int granted = response[code.content];
    if (granted != 0 && granted != 1) {
        problem = "it refused (status " + std::to_string(granted) + ")";
        if (der::next(response, status, code, text) && text.tag == der::kSequence) {
            const std::string words = freeText(response, text);
            if (!words.empty()) problem += ": " + words;
        }
        return false;
    }
    if (!der::next(response, answer, status, tokenItem) || tokenItem.tag != der::kSequence) {
        problem = "it granted a time stamp but sent none";
        return false;
    }
    token = der::whole(response, tokenItem);
    if (stampedImprint(token) != messageImprint(signature)) {
        problem = "its token stamps something other than this signature";
        token.clear();
        return false;
    }
    return true;
}
