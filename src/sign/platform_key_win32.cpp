// The signer's key at work: a digest signed through CNG or CryptoAPI, whichever holds the
// key, and the signature checked with the certificate's public key.
#include <windows.h>
#include <ncrypt.h>

#include <algorithm>

#include "sign/key_error_text.h"
#include "sign/platform_signer_win32.h"

bool PlatformSigner::reopenInAesProvider() {
    // A software key of the older RSA providers is the same key in the AES one, which
    // knows SHA-256: the container is opened again there.
    DWORD size = 0;
    if (!CertGetCertificateContextProperty(certificate_, CERT_KEY_PROV_INFO_PROP_ID, nullptr,
                                           &size))
        return false;
    std::vector<BYTE> buffer(size);
    if (!CertGetCertificateContextProperty(certificate_, CERT_KEY_PROV_INFO_PROP_ID, buffer.data(),
                                           &size))
        return false;
    const auto* info = reinterpret_cast<const CRYPT_KEY_PROV_INFO*>(buffer.data());
    if (info->dwProvType != PROV_RSA_FULL && info->dwProvType != PROV_RSA_AES) return false;
    HCRYPTPROV aes = 0;
    if (!CryptAcquireContextW(&aes, info->pwszContainerName, MS_ENH_RSA_AES_PROV_W, PROV_RSA_AES,
                              info->dwFlags & CRYPT_MACHINE_KEYSET))
        return false;
    if (freeKey_) CryptReleaseContext(key_, 0);
    key_ = aes;
    freeKey_ = TRUE;
    return true;
}

bool PlatformSigner::sign(const Bytes& digest, Bytes& signature, std::string& problem) {
    if (keySpec_ == CERT_NCRYPT_KEY_SPEC) {
        BCRYPT_PKCS1_PADDING_INFO padding{BCRYPT_SHA256_ALGORITHM};
        void* paddingInfo = ecdsa_ ? nullptr : &padding;
        const DWORD flags = ecdsa_ ? 0 : BCRYPT_PAD_PKCS1;
        DWORD size = 0;
        SECURITY_STATUS status =
            NCryptSignHash(key_, paddingInfo, const_cast<BYTE*>(digest.data()),
                           static_cast<DWORD>(digest.size()), nullptr, 0, &size, flags);
        if (status == ERROR_SUCCESS) {
            signature.resize(size);
            status = NCryptSignHash(key_, paddingInfo, const_cast<BYTE*>(digest.data()),
                                    static_cast<DWORD>(digest.size()), signature.data(), size,
                                    &size, flags);
            signature.resize(size);
        }
        if (status != ERROR_SUCCESS) {
            problem = "the key of " + name_ +
                      " did not sign: " + keyErrorText(static_cast<unsigned long>(status));
            return false;
        }
        if (!matchesCertificate(digest, signature, problem)) return false;
        if (ecdsa_) signature = ecdsaSignatureDer(signature);
        return true;
    }
    if (ecdsa_) {
        problem = "the key of " + name_ + " is an ECDSA key its provider cannot sign with";
        return false;
    }
    // CryptoAPI: a SHA-256 hash object holding the digest, signed; the signature comes
    // little-endian.
    HCRYPTHASH hash = 0;
    if (!CryptCreateHash(key_, CALG_SHA_256, 0, 0, &hash) && reopenInAesProvider())
        CryptCreateHash(key_, CALG_SHA_256, 0, 0, &hash);
    if (hash == 0) {
        problem = "the key of " + name_ + " lies in a provider that cannot sign SHA-256 (" +
                  keyErrorText(GetLastError()) + ")";
        return false;
    }
    // A key set holds an exchange key, a signature key or both; a kind of key other than
    // those two (Wine reports both at once) is tried as each.
    const DWORD kinds[] = {
        keySpec_ == AT_SIGNATURE ? DWORD{AT_SIGNATURE} : DWORD{AT_KEYEXCHANGE},
        keySpec_ == AT_KEYEXCHANGE || keySpec_ == AT_SIGNATURE ? 0u : DWORD{AT_SIGNATURE}};
    bool signedHash = CryptSetHashParam(hash, HP_HASHVAL, digest.data(), 0) != 0;
    DWORD error = GetLastError();
    for (const DWORD kind : kinds) {
        if (!signedHash || kind == 0) break;
        DWORD size = 0;
        if (CryptSignHashW(hash, kind, nullptr, 0, nullptr, &size)) {
            signature.resize(size);
            if (CryptSignHashW(hash, kind, nullptr, 0, signature.data(), &size)) {
                signature.resize(size);
                break;
            }
        }
        error = GetLastError();
        signature.clear();
    }
    signedHash = signedHash && !signature.empty();
    CryptDestroyHash(hash);
    if (!signedHash) {
        problem = "the key of " + name_ + " did not sign: " + keyErrorText(error);
        return false;
    }
    std::reverse(signature.begin(), signature.end());
    return matchesCertificate(digest, signature, problem);
}

bool PlatformSigner::matchesCertificate(const Bytes& digest, const Bytes& signature,
                                        std::string& problem) {
    // The signature checked with the certificate's public key, so a key that is not the
    // certificate's (a token holding another, a .pfx put together wrongly) is caught here
    // rather than by the people who run the program. Where the system cannot check, the
    // file's verification afterwards still does.
    BCRYPT_KEY_HANDLE publicKey = nullptr;
    if (!CryptImportPublicKeyInfoEx2(X509_ASN_ENCODING,
                                     &certificate_->pCertInfo->SubjectPublicKeyInfo, 0, nullptr,
                                     &publicKey))
        return true;
    BCRYPT_PKCS1_PADDING_INFO padding{BCRYPT_SHA256_ALGORITHM};
    const NTSTATUS status = BCryptVerifySignature(
        publicKey, ecdsa_ ? nullptr : &padding, const_cast<BYTE*>(digest.data()),
        static_cast<ULONG>(digest.size()), const_cast<BYTE*>(signature.data()),
        static_cast<ULONG>(signature.size()), ecdsa_ ? 0 : BCRYPT_PAD_PKCS1);
    BCryptDestroyKey(publicKey);
    if (status == static_cast<NTSTATUS>(0xC000A000L)) {  // STATUS_INVALID_SIGNATURE
        problem = "the private key does not belong to the certificate " + name_;
        return false;
    }
    return true;
}
