#include "sign/program_signature.h"

#include "pe_header/pe_header.h"
#include "sign/der.h"
#include "sign/image_hash.h"

namespace {

constexpr const char* kCommonName = "2.5.4.3";

// The n-th value inside `outer` (0 the first); false when there are fewer.
bool child(const Bytes& data, const der::Item& outer, int n, der::Item& item) {
    if (!der::first(data, outer, item)) return false;
    for (; n > 0; --n)
        if (!der::next(data, outer, item, item)) return false;
    return true;
}

// The common name in the Name `name` (DER), as its bytes say (UTF-8, printable or IA5
// text are taken as they are; a BMPString is turned into UTF-8 for its ASCII part).
std::string commonName(const Bytes& data, const der::Item& name) {
    der::Item set;
    for (bool more = der::first(data, name, set); more; more = der::next(data, name, set, set)) {
        der::Item pair, type, value;
        if (!der::first(data, set, pair) || !child(data, pair, 0, type) ||
            !child(data, pair, 1, value))
            continue;
        if (der::whole(data, type) != der::oid(kCommonName)) continue;
        std::string text;
        if (value.tag == 0x1E) {  // BMPString
            for (std::size_t at = value.content; at + 1 < value.end; at += 2)
                text +=
                    data[at] == 0 && data[at + 1] < 0x80 ? static_cast<char>(data[at + 1]) : '?';
        } else {
            text.assign(data.begin() + static_cast<std::ptrdiff_t>(value.content),
                        data.begin() + static_cast<std::ptrdiff_t>(value.end));
        }
        return text;
    }
    return {};
}

// The image hash SignedData `data` names, and its signer's common name; false when the
// bytes are no Authenticode SignedData.
bool readSignedData(const Bytes& data, Bytes& imageHash, std::string& signer) {
    // ContentInfo { OID, [0] SignedData { version, digestAlgorithms, contentInfo
    // { OID, [0] SpcIndirectDataContent { data, DigestInfo { algorithm, digest } } },
    // [0] certificates, signerInfos } }
    der::Item info, explicitData, signedData, content, explicitContent, indirect, digestInfo,
        digest;
    if (!der::read(data, 0, data.size(), info) || !child(data, info, 1, explicitData) ||
        !child(data, explicitData, 0, signedData) || !child(data, signedData, 2, content) ||
        !child(data, content, 1, explicitContent) || !child(data, explicitContent, 0, indirect) ||
        !child(data, indirect, 1, digestInfo) || !child(data, digestInfo, 1, digest) ||
        digest.tag != der::kOctetString)
        return false;
    imageHash = der::contentOf(data, digest);

    // The signer's certificate: the one whose issuer and serial number the SignerInfo names.
    der::Item certificates, signerInfos, signerInfo, issuerAndSerial;
    if (!child(data, signedData, 3, certificates) || certificates.tag != der::context(0) ||
        !child(data, signedData, 4, signerInfos) || !child(data, signerInfos, 0, signerInfo) ||
        !child(data, signerInfo, 1, issuerAndSerial))
        return true;
    const Bytes wanted = der::contentOf(data, issuerAndSerial);
    der::Item certificate;
    for (bool more = der::first(data, certificates, certificate); more;
         more = der::next(data, certificates, certificate, certificate)) {
        der::Item tbs, first, serial, issuer, subject;
        if (!child(data, certificate, 0, tbs) || !child(data, tbs, 0, first)) continue;
        const int at = first.tag == der::context(0) ? 1 : 0;
        if (!child(data, tbs, at, serial) || !child(data, tbs, at + 2, issuer) ||
            !child(data, tbs, at + 4, subject))
            continue;
        Bytes pair = der::whole(data, issuer);
        const Bytes serialBytes = der::whole(data, serial);
        pair.insert(pair.end(), serialBytes.begin(), serialBytes.end());
        if (pair == wanted) {
            signer = commonName(data, subject);
            break;
        }
    }
    return true;
}

}  // namespace

SignatureFacts inspectSignature(const Bytes& file) {
    SignatureFacts facts;
    const PeHeader header = readPeHeader(file);
    if (!header.valid || (header.certificateOffset == 0 && header.certificateSize == 0))
        return facts;
    facts.state = SignatureState::broken;
    const std::size_t offset = header.certificateOffset;
    const std::size_t size = header.certificateSize;
    if (offset > file.size() || size > file.size() - offset || size < 8) {
        facts.problem = "its signature lies outside the file";
        return facts;
    }
    const std::size_t length = read32(file, offset);
    if (read16(file, offset + 6) != 0x0002 || length < 8 || length > size) {
        facts.problem = "its signature is not an Authenticode signature";
        return facts;
    }
    const Bytes data(file.begin() + static_cast<std::ptrdiff_t>(offset + 8),
                     file.begin() + static_cast<std::ptrdiff_t>(offset + length));
    Bytes signedHash;
    if (!readSignedData(data, signedHash, facts.signer)) {
        facts.problem = "its signature cannot be read";
        return facts;
    }
    if (signedHash.size() != 32) {
        // SHA-1 and others: the signature is there, but this reader checks SHA-256 only.
        facts.state = SignatureState::intact;
        facts.problem = "signed with another digest than SHA-256, which is not checked here";
        return facts;
    }
    std::string problem;
    const Bytes imageHash = authenticodeImageHash(file, problem);
    if (imageHash.empty() || imageHash != signedHash) {
        facts.problem = "the program was changed after it was signed (its image hash differs)";
        return facts;
    }
    facts.state = SignatureState::intact;
    return facts;
}
