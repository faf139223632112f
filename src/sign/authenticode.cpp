#include "sign/authenticode.h"

#include <algorithm>

#include "bytes/sha256.h"
#include "pe_header/pe_header.h"
#include "sign/certificate.h"
#include "sign/der.h"
#include "sign/image_hash.h"

namespace {

constexpr const char* kSha256 = "2.16.840.1.101.3.4.2.1";
constexpr const char* kSignedData = "1.2.840.113549.1.7.2";
constexpr const char* kSpcIndirectData = "1.3.6.1.4.1.311.2.1.4";
constexpr const char* kSpcPeImageData = "1.3.6.1.4.1.311.2.1.15";
constexpr const char* kSpcSpOpusInfo = "1.3.6.1.4.1.311.2.1.12";
constexpr const char* kContentType = "1.2.840.113549.1.9.3";
constexpr const char* kMessageDigest = "1.2.840.113549.1.9.4";
constexpr const char* kRsaEncryption = "1.2.840.113549.1.1.1";
constexpr const char* kEcdsaWithSha256 = "1.2.840.10045.4.3.2";
constexpr const char* kRfc3161Timestamp = "1.3.6.1.4.1.311.3.3.1";

// WIN_CERTIFICATE: revision 2.0, a PKCS #7 SignedData.
constexpr std::uint16_t kCertificateRevision = 0x0200;
constexpr std::uint16_t kPkcsSignedData = 0x0002;

Bytes attribute(const char* type, const Bytes& value) {
    return der::sequence({der::oid(type), der::setOf({value})});
}

// SpcSpOpusInfo: the program's name as Windows shows it in the consent prompt, if any.
Bytes opusInfo(const std::string& programName) {
    if (programName.empty()) return der::sequence({});
    const Bytes name = der::value(der::contextPrimitive(0), der::bmpText(programName));
    return der::sequence({der::value(der::context(0), name)});
}

// An INTEGER from big-endian unsigned bytes: leading zeros dropped, one put back when the
// leading bit is set.
Bytes unsignedInteger(const Bytes& bigEndian) {
    std::size_t start = 0;
    while (start + 1 < bigEndian.size() && bigEndian[start] == 0) ++start;
    Bytes content(bigEndian.begin() + static_cast<std::ptrdiff_t>(start), bigEndian.end());
    if (content.empty() || (content[0] & 0x80) != 0) content.insert(content.begin(), 0);
    return der::value(der::kInteger, content);
}

// The PKCS #7 ContentInfo of SignedData over `indirect`, or empty with `problem` set.
Bytes signedData(const Bytes& indirect, const SigningRequest& request, std::string& problem) {
    if (request.certificates.empty()) {
        problem = "no certificate to sign with";
        return {};
    }
    const CertificateFacts signer = readCertificate(request.certificates.front());
    if (!signer.valid) {
        problem = "the signer's certificate cannot be read";
        return {};
    }
    if (signer.key == KeyKind::unknown) {
        problem = "the certificate's key is neither RSA nor ECDSA; it cannot sign programs here";
        return {};
    }

    // The message digest covers the content of SpcIndirectDataContent without its own tag
    // and length, as Authenticode prescribes.
    der::Item outer;
    der::read(indirect, 0, indirect.size(), outer);
    const Bytes contentDigest = sha256(der::contentOf(indirect, outer));

    const Bytes attributes =
        der::setOf({attribute(kContentType, der::oid(kSpcIndirectData)),
                    attribute(kSpcSpOpusInfo, opusInfo(request.programName)),
                    attribute(kMessageDigest, der::octetString(contentDigest))});
    Bytes signature;
    if (!request.sign(sha256(attributes), signature, problem)) return {};
    if (signature.empty()) {
        problem = "the key gave an empty signature";
        return {};
    }
    // In the SignerInfo the same attributes are [0] IMPLICIT rather than a SET.
    Bytes signedAttributes = attributes;
    signedAttributes[0] = der::context(0);

    Bytes unsignedAttributes;
    if (request.timestamp) {
        Bytes token;
        if (!request.timestamp(signature, token, problem)) return {};
        const Bytes stamp = attribute(kRfc3161Timestamp, token);
        unsignedAttributes = der::value(der::context(1), stamp);
    }

    const Bytes signatureAlgorithm = signer.key == KeyKind::rsa
                                         ? der::algorithm(kRsaEncryption)
                                         : der::sequence({der::oid(kEcdsaWithSha256)});
    const Bytes signerInfo = der::sequence({
        der::integer(1),
        der::sequence({signer.issuer, signer.serial}),
        der::algorithm(kSha256),
        signedAttributes,
        signatureAlgorithm,
        der::octetString(signature),
        unsignedAttributes,
    });

    std::vector<Bytes> sorted = request.certificates;
    std::sort(sorted.begin(), sorted.end());
    sorted.erase(std::unique(sorted.begin(), sorted.end()), sorted.end());
    Bytes certificates;
    for (const Bytes& certificate : sorted)
        certificates.insert(certificates.end(), certificate.begin(), certificate.end());

    const Bytes content = der::sequence({
        der::integer(1),
        der::setOf({der::algorithm(kSha256)}),
        der::sequence({der::oid(kSpcIndirectData), der::value(der::context(0), indirect)}),
        der::value(der::context(0), certificates),
        der::setOf({signerInfo}),
    });
    return der::sequence({der::oid(kSignedData), der::value(der::context(0), content)});
}

}  // namespace

Bytes spcIndirectDataContent(const Bytes& imageHash) {
    // SpcPeImageData: no flags set, and the obsolete file link every signer writes.
    const Bytes obsolete = der::value(der::contextPrimitive(0), der::bmpText("<<<Obsolete>>>"));
    const Bytes peImageData = der::sequence({
        der::value(der::kBitString, Bytes{0}),
        der::value(der::context(0), der::value(der::context(2), obsolete)),
    });
    return der::sequence({
        der::sequence({der::oid(kSpcPeImageData), peImageData}),
        der::sequence({der::algorithm(kSha256), der::octetString(imageHash)}),
    });
}

Bytes ecdsaSignatureDer(const Bytes& raw) {
    if (raw.empty() || raw.size() % 2 != 0) return {};
    const auto half = static_cast<std::ptrdiff_t>(raw.size() / 2);
    return der::sequence({unsignedInteger(Bytes(raw.begin(), raw.begin() + half)),
                          unsignedInteger(Bytes(raw.begin() + half, raw.end()))});
}

SigningResult signProgram(const Bytes& program, const SigningRequest& request) {
    SigningResult result;
    UnsignedImage image = unsignedImage(program);
    if (!image.valid) {
        result.problem = image.problem;
        return result;
    }
    result.replacedSignature = image.hadSignature;
    const Bytes imageHash = authenticodeImageHash(image.file, result.problem);
    if (imageHash.empty()) return result;
    const Bytes pkcs7 = signedData(spcIndirectDataContent(imageHash), request, result.problem);
    if (pkcs7.empty()) return result;

    // WIN_CERTIFICATE: its length, revision and type, then the SignedData padded with zeros
    // to a multiple of 8 bytes; the program already ends on such a boundary.
    Bytes& file = image.file;
    const std::size_t tableOffset = file.size();
    const std::size_t tableSize = (8 + pkcs7.size() + 7) / 8 * 8;
    if (tableOffset > 0xFFFFFFFFu - tableSize) {
        result.problem = "the signed program would be larger than 4 GiB";
        return result;
    }
    appendNumber(file, 4, static_cast<std::uint32_t>(tableSize));
    appendNumber(file, 2, kCertificateRevision);
    appendNumber(file, 2, kPkcsSignedData);
    file.insert(file.end(), pkcs7.begin(), pkcs7.end());
    file.resize(tableOffset + tableSize, 0);

    const PeHeader header = readPeHeader(file);
    const std::size_t entry = header.checkSumOffset - 64 + (header.wide ? 112 : 96) + 4 * 8;
    writeNumber(file, entry, 4, static_cast<std::uint32_t>(tableOffset));
    writeNumber(file, entry + 4, 4, static_cast<std::uint32_t>(tableSize));
    writeChecksum(file);
    result.file = std::move(file);
    result.done = true;
    return result;
}
