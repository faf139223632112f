#include "sign/certificate.h"

#include "sign/der.h"

CertificateFacts readCertificate(const Bytes& der) {
    CertificateFacts facts;
    // Certificate ::= SEQUENCE { tbsCertificate, signatureAlgorithm, signature }
    // TBSCertificate ::= SEQUENCE { [0] version OPTIONAL, serialNumber, signature, issuer,
    //                               validity, subject, subjectPublicKeyInfo, ... }
    der::Item certificate, tbs, item;
    if (!der::read(der, 0, der.size(), certificate) || certificate.tag != der::kSequence ||
        !der::first(der, certificate, tbs) || tbs.tag != der::kSequence ||
        !der::first(der, tbs, item))
        return facts;
    if (item.tag == der::context(0) && !der::next(der, tbs, item, item)) return facts;
    if (item.tag != der::kInteger) return facts;
    facts.serial = der::whole(der, item);
    der::Item issuer, validity, subject, publicKey, algorithm, algorithmOid;
    if (!der::next(der, tbs, item, item) || !der::next(der, tbs, item, issuer) ||
        issuer.tag != der::kSequence || !der::next(der, tbs, issuer, validity) ||
        !der::next(der, tbs, validity, subject) || subject.tag != der::kSequence ||
        !der::next(der, tbs, subject, publicKey) || !der::first(der, publicKey, algorithm) ||
        !der::first(der, algorithm, algorithmOid) || algorithmOid.tag != der::kOid)
        return facts;
    facts.issuer = der::whole(der, issuer);
    facts.subject = der::whole(der, subject);
    const Bytes keyOid = der::whole(der, algorithmOid);
    if (keyOid == der::oid("1.2.840.113549.1.1.1")) facts.key = KeyKind::rsa;
    if (keyOid == der::oid("1.2.840.10045.2.1")) facts.key = KeyKind::ecdsa;
    facts.valid = true;
    return facts;
}
