#include "sign/platform_signer_win32.h"

#include <ncrypt.h>

#include <algorithm>

#include "brand/file_bytes.h"
#include "brand/file_problem.h"
#include "brand/system_text.h"
#include "console/console_text.h"
#include "console/system_error.h"
#include "sign/certificate.h"
#include "sign/key_error_text.h"
#include "sign/pfx_contents.h"
#include "sign/signing_password.h"

namespace {

constexpr DWORD kEncoding = X509_ASN_ENCODING | PKCS_7_ASN_ENCODING;

std::string shown(const std::string& path) { return utf8FromSystemText(path); }

// The name Windows shows for `certificate`, in UTF-8.
std::string displayName(PCCERT_CONTEXT certificate) {
    wchar_t name[256];
    const DWORD size = CertGetNameStringW(certificate, CERT_NAME_SIMPLE_DISPLAY_TYPE, 0, nullptr,
                                          name, static_cast<DWORD>(std::size(name)));
    return size > 1 ? utf8FromWideText(name) : std::string("(no name)");
}

// A date as YYYY-MM-DD (UTC).
std::string dateText(const FILETIME& time) {
    SYSTEMTIME day;
    if (!FileTimeToSystemTime(&time, &day)) return "an unknown date";
    char text[16];
    wsprintfA(text, "%04u-%02u-%02u", day.wYear, day.wMonth, day.wDay);
    return text;
}

bool hasPrivateKey(PCCERT_CONTEXT certificate) {
    DWORD size = 0;
    for (const DWORD property : {DWORD{CERT_KEY_PROV_INFO_PROP_ID}, DWORD{CERT_KEY_CONTEXT_PROP_ID},
                                 DWORD{CERT_NCRYPT_KEY_HANDLE_PROP_ID}}) {
        if (CertGetCertificateContextProperty(certificate, property, nullptr, &size)) return true;
    }
    return false;
}

// The certificate of `store` that has a private key and issued none of the others: the
// signer's own, not a certificate authority of its chain (some systems mark every
// certificate of a .pfx as having the key). Null when none has a key.
PCCERT_CONTEXT keyedEndCertificate(HCERTSTORE store) {
    PCCERT_CONTEXT found = nullptr;
    for (PCCERT_CONTEXT each = CertEnumCertificatesInStore(store, nullptr); each != nullptr;
         each = CertEnumCertificatesInStore(store, each)) {
        if (!hasPrivateKey(each)) continue;
        bool issuesOthers = false;
        for (PCCERT_CONTEXT other = CertEnumCertificatesInStore(store, nullptr); other != nullptr;
             other = CertEnumCertificatesInStore(store, other)) {
            if (!CertCompareCertificate(kEncoding, other->pCertInfo, each->pCertInfo) &&
                CertCompareCertificateName(kEncoding, &other->pCertInfo->Issuer,
                                           &each->pCertInfo->Subject))
                issuesOthers = true;
        }
        if (found == nullptr || !issuesOthers) {
            if (found != nullptr) CertFreeCertificateContext(found);
            found = CertDuplicateCertificateContext(each);
        }
        if (!issuesOthers) {
            CertFreeCertificateContext(each);
            break;
        }
    }
    return found;
}

// True when `certificate` may sign code: its extended key usage names code signing or
// any purpose, or it has none, which Windows reads as every purpose.
bool maySignCode(PCCERT_CONTEXT certificate) {
    DWORD size = 0;
    if (!CertGetEnhancedKeyUsage(certificate, 0, nullptr, &size))
        return GetLastError() == static_cast<DWORD>(CRYPT_E_NOT_FOUND);
    std::vector<BYTE> buffer(size);
    auto* usage = reinterpret_cast<CERT_ENHKEY_USAGE*>(buffer.data());
    if (!CertGetEnhancedKeyUsage(certificate, 0, usage, &size)) return false;
    if (usage->cUsageIdentifier == 0)
        return GetLastError() == static_cast<DWORD>(CRYPT_E_NOT_FOUND);
    for (DWORD i = 0; i < usage->cUsageIdentifier; ++i) {
        const std::string oid = usage->rgpszUsageIdentifier[i];
        if (oid == szOID_PKIX_KP_CODE_SIGNING || oid == "2.5.29.37.0") return true;
    }
    return false;
}

// A thumbprint as 20 bytes; spaces and colons between the digits are allowed.
bool thumbprintBytes(const std::string& text, BYTE bytes[20]) {
    std::string digits;
    for (char c : text) {
        if (c == ' ' || c == ':') continue;
        if (!isxdigit(static_cast<unsigned char>(c))) return false;
        digits += c;
    }
    if (digits.size() != 40) return false;
    for (int i = 0; i < 20; ++i)
        bytes[i] = static_cast<BYTE>(std::stoi(digits.substr(2 * i, 2), nullptr, 16));
    return true;
}

}  // namespace

PlatformSigner::~PlatformSigner() { close(); }

bool PlatformSigner::acquireKey() {
    // By whichever interface holds it: CNG preferred, CryptoAPI for old providers and
    // tokens. Not silent: a token may ask for its PIN.
    if (CryptAcquireCertificatePrivateKey(certificate_, CRYPT_ACQUIRE_PREFER_NCRYPT_KEY_FLAG,
                                          nullptr, &key_, &keySpec_, &freeKey_))
        return true;
    key_ = 0;
    return false;
}

bool PlatformSigner::importPfx(const std::string& path, CRYPT_DATA_BLOB& blob,
                               const std::wstring& password, std::string& problem) {
    // The key kept in memory only where Windows can; else stored in the user's key set
    // for the run and deleted when the signer closes.
    for (const DWORD flags : {DWORD{PKCS12_NO_PERSIST_KEY}, DWORD{CRYPT_USER_KEYSET}}) {
        store_ = PFXImportCertStore(&blob, password.c_str(), flags);
        if (store_ == nullptr) {
            const DWORD error = GetLastError();
            // Some systems refuse a file without a key outright rather than import its
            // certificates alone, and some give no error code for a wrong password.
            const Bytes file(blob.pbData, blob.pbData + blob.cbData);
            if (!pfxHoldsKey(file)) {
                problem = shown(path) + " holds no private key: it cannot sign";
                return false;
            }
            if (error == ERROR_INVALID_PASSWORD || !PFXVerifyPassword(&blob, password.c_str(), 0)) {
                problem = "wrong password for " + shown(path);
                return false;
            }
            if (flags == CRYPT_USER_KEYSET) {
                problem = shown(path) + " cannot be opened: " + keyErrorText(error);
                return false;
            }
            continue;
        }
        persistedKey_ = flags == CRYPT_USER_KEYSET;
        certificate_ = keyedEndCertificate(store_);
        if (certificate_ == nullptr) {
            problem = shown(path) + " holds no private key: it cannot sign";
            return false;
        }
        if (acquireKey()) return true;
        const DWORD error = GetLastError();
        if (flags == CRYPT_USER_KEYSET) {
            problem =
                "the private key in " + shown(path) + " cannot be used: " + keyErrorText(error);
            return false;
        }
        close();
    }
    return false;
}

void PlatformSigner::close() {
    // A key this signer stored for the run is deleted with it.
    CRYPT_KEY_PROV_INFO* stored = nullptr;
    std::vector<BYTE> storedInfo;
    DWORD size = 0;
    if (persistedKey_ && certificate_ != nullptr &&
        CertGetCertificateContextProperty(certificate_, CERT_KEY_PROV_INFO_PROP_ID, nullptr,
                                          &size)) {
        storedInfo.resize(size);
        if (CertGetCertificateContextProperty(certificate_, CERT_KEY_PROV_INFO_PROP_ID,
                                              storedInfo.data(), &size))
            stored = reinterpret_cast<CRYPT_KEY_PROV_INFO*>(storedInfo.data());
    }
    if (key_ != 0 && freeKey_) {
        if (keySpec_ == CERT_NCRYPT_KEY_SPEC) {
            if (!persistedKey_ || NCryptDeleteKey(key_, 0) != ERROR_SUCCESS) NCryptFreeObject(key_);
            stored = nullptr;
        } else {
            CryptReleaseContext(key_, 0);
        }
    }
    if (stored != nullptr && stored->dwProvType != 0) {
        HCRYPTPROV deleted = 0;
        CryptAcquireContextW(&deleted, stored->pwszContainerName, stored->pwszProvName,
                             stored->dwProvType,
                             CRYPT_DELETEKEYSET | (stored->dwFlags & CRYPT_MACHINE_KEYSET));
    }
    persistedKey_ = false;
    key_ = 0;
    freeKey_ = FALSE;
    if (certificate_ != nullptr) CertFreeCertificateContext(certificate_);
    certificate_ = nullptr;
    if (store_ != nullptr) CertCloseStore(store_, 0);
    store_ = nullptr;
    certificates_.clear();
    name_.clear();
}

bool PlatformSigner::open(const SignerSource& source, std::string& problem) {
    close();
    if (!source.pfx.empty()) {
        Bytes file;
        if (!readFileBytes(source.pfx, file)) {
            problem = "the certificate " + unreadableFileText(source.pfx, GetLastError());
            return false;
        }
        CRYPT_DATA_BLOB blob{static_cast<DWORD>(file.size()), file.data()};
        if (!PFXIsPFXBlob(&blob)) {
            problem = shown(source.pfx) + " is not a .pfx (PKCS #12) certificate file";
            return false;
        }
        std::wstring password;
        if (!signingPassword(source, password, problem)) return false;
        const bool opened = importPfx(source.pfx, blob, password, problem);
        SecureZeroMemory(&password[0], password.size() * sizeof(wchar_t));
        if (!opened) {
            close();
            return false;
        }
    } else {
        BYTE hash[20];
        if (!thumbprintBytes(source.thumbprint, hash)) {
            problem = "--sign-store needs a certificate's thumbprint, 40 hexadecimal digits: " +
                      source.thumbprint;
            return false;
        }
        store_ = CertOpenStore(CERT_STORE_PROV_SYSTEM_W, 0, 0,
                               CERT_SYSTEM_STORE_CURRENT_USER | CERT_STORE_OPEN_EXISTING_FLAG |
                                   CERT_STORE_READONLY_FLAG,
                               L"MY");
        if (store_ == nullptr) {
            problem = "your certificate store cannot be opened: " + systemErrorText(GetLastError());
            return false;
        }
        CRYPT_HASH_BLOB blob{20, hash};
        certificate_ =
            CertFindCertificateInStore(store_, kEncoding, 0, CERT_FIND_SHA1_HASH, &blob, nullptr);
        if (certificate_ == nullptr) {
            problem = "no certificate with the thumbprint " + source.thumbprint +
                      " in your certificate store (Personal)";
            close();
            return false;
        }
        if (!hasPrivateKey(certificate_)) {
            problem = "the certificate " + displayName(certificate_) +
                      " has no private key on this computer: it cannot sign";
            close();
            return false;
        }
    }
    name_ = displayName(certificate_);

    if (!maySignCode(certificate_)) {
        problem = "the certificate " + name_ + " is not for code signing (its key usage lacks it)";
        close();
        return false;
    }
    const LONG validity = CertVerifyTimeValidity(nullptr, certificate_->pCertInfo);
    if (validity != 0) {
        problem =
            "the certificate " + name_ +
            (validity > 0 ? " expired on " + dateText(certificate_->pCertInfo->NotAfter)
                          : " is not valid before " + dateText(certificate_->pCertInfo->NotBefore));
        close();
        return false;
    }
    const Bytes own(certificate_->pbCertEncoded,
                    certificate_->pbCertEncoded + certificate_->cbCertEncoded);
    const CertificateFacts facts = readCertificate(own);
    if (!facts.valid || facts.key == KeyKind::unknown) {
        problem = "the certificate " + name_ + " has a key that is neither RSA nor ECDSA";
        close();
        return false;
    }
    ecdsa_ = facts.key == KeyKind::ecdsa;

    if (key_ == 0 && !acquireKey()) {
        problem =
            "the private key of " + name_ + " cannot be used: " + keyErrorText(GetLastError());
        close();
        return false;
    }

    // The chain as Windows builds it, from the file's certificates and the system's.
    certificates_.push_back(own);
    CERT_CHAIN_PARA parameters{};
    parameters.cbSize = sizeof parameters;
    PCCERT_CHAIN_CONTEXT chain = nullptr;
    if (CertGetCertificateChain(nullptr, certificate_, nullptr, store_, &parameters, 0, nullptr,
                                &chain) &&
        chain->cChain > 0) {
        const CERT_SIMPLE_CHAIN* simple = chain->rgpChain[0];
        // The root is left out: whoever verifies must hold it already.
        const DWORD count = simple->cElement > 1 ? simple->cElement - 1 : simple->cElement;
        for (DWORD i = 1; i < count; ++i) {
            PCCERT_CONTEXT link = simple->rgpElement[i]->pCertContext;
            certificates_.emplace_back(link->pbCertEncoded,
                                       link->pbCertEncoded + link->cbCertEncoded);
        }
    }
    if (chain != nullptr) CertFreeCertificateChain(chain);
    // The issuers the .pfx itself carries, should the chain engine not have placed them:
    // each certificate's issuer found by name, up to but without a self-signed root.
    PCCERT_CONTEXT current = CertDuplicateCertificateContext(certificate_);
    for (int depth = 0; depth < 8 && current != nullptr; ++depth) {
        PCCERT_CONTEXT issuer = CertFindCertificateInStore(
            store_, kEncoding, 0, CERT_FIND_SUBJECT_NAME, &current->pCertInfo->Issuer, nullptr);
        CertFreeCertificateContext(current);
        current = nullptr;
        if (issuer == nullptr || CertCompareCertificateName(kEncoding, &issuer->pCertInfo->Issuer,
                                                            &issuer->pCertInfo->Subject)) {
            if (issuer != nullptr) CertFreeCertificateContext(issuer);
            break;
        }
        const Bytes encoded(issuer->pbCertEncoded, issuer->pbCertEncoded + issuer->cbCertEncoded);
        if (std::find(certificates_.begin(), certificates_.end(), encoded) == certificates_.end())
            certificates_.push_back(encoded);
        current = issuer;
    }
    return true;
}

SignDigest PlatformSigner::signer() {
    return [this](const Bytes& digest, Bytes& signature, std::string& problem) {
        return sign(digest, signature, problem);
    };
}
