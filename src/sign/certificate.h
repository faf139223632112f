// What the signature needs to know of an X.509 certificate, read from its DER bytes.
#pragma once

#include <string>

#include "bytes/little_endian.h"

// The kind of public key a certificate carries, which decides the signature's algorithm.
enum class KeyKind { unknown, rsa, ecdsa };

struct CertificateFacts {
    bool valid = false;
    Bytes issuer;   // the issuer's Name, DER, as the certificate holds it
    Bytes serial;   // the serial number's INTEGER, DER
    Bytes subject;  // the subject's Name, DER
    KeyKind key = KeyKind::unknown;
};

// The issuer, serial number, subject and key kind of the certificate `der`; not valid when
// the bytes are no X.509 certificate.
CertificateFacts readCertificate(const Bytes& der);
