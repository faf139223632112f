// The author's certificate and key as Windows holds them: from a .pfx file or from the
// user's certificate store, checked for code signing, and used only to sign a digest, so
// a key on a token or smart card works as well as one in a file.
#pragma once

#include <windows.h>
#include <wincrypt.h>

#include <functional>
#include <string>

#include "sign/authenticode.h"

// Where the certificate comes from: a .pfx file or a thumbprint in the user's store.
struct SignerSource {
    std::string pfx;           // a .pfx (PKCS #12) file, in the system's code page; or empty
    std::string thumbprint;    // with no pfx: the certificate's SHA-1 thumbprint (hex)
    std::string passwordFile;  // the .pfx password's file, its first line; may be empty
    // Asks for the .pfx password when no file and no AUTORUN_MENU_SIGN_PASSWORD gives it;
    // false with the problem when it cannot be asked. May be empty: then it is not asked.
    std::function<bool(std::wstring& password, std::string& problem)> askPassword;
};

// An open signer: the certificate with its private key, ready to sign digests. Owns its
// certificate store, certificate and key handles and frees them.
class PlatformSigner {
public:
    PlatformSigner() = default;
    PlatformSigner(const PlatformSigner&) = delete;
    PlatformSigner& operator=(const PlatformSigner&) = delete;
    ~PlatformSigner();

    // Opens the certificate `source` names and checks it: the password opens the file, a
    // certificate has a private key, it may sign code, and it is valid today. False with
    // the cause for the author (UTF-8), and nothing held.
    bool open(const SignerSource& source, std::string& problem);

    // The signer's certificate first, then the rest of its chain as Windows builds it
    // (the root left out when there is more than the signer).
    const std::vector<Bytes>& certificates() const { return certificates_; }
    // The name Windows shows for the signer (UTF-8).
    const std::string& name() const { return name_; }
    // Signs digests with the key; the signer must outlive the function.
    SignDigest signer();

private:
    bool sign(const Bytes& digest, Bytes& signature, std::string& problem);
    // Imports the .pfx at `path` and takes the certificate with a private key and the key.
    bool importPfx(const std::string& path, CRYPT_DATA_BLOB& blob, const std::wstring& password,
                   std::string& problem);
    bool acquireKey();
    // False with the problem when `signature` (as the key gave it) does not verify with the
    // certificate's public key; true when it does or the system cannot tell.
    bool matchesCertificate(const Bytes& digest, const Bytes& signature, std::string& problem);
    // Opens a CryptoAPI key again in the provider that signs SHA-256 digests.
    bool reopenInAesProvider();
    void close();

    HCERTSTORE store_ = nullptr;
    PCCERT_CONTEXT certificate_ = nullptr;
    HCRYPTPROV_OR_NCRYPT_KEY_HANDLE key_ = 0;
    DWORD keySpec_ = 0;
    BOOL freeKey_ = FALSE;
    bool ecdsa_ = false;
    bool persistedKey_ = false;  // the .pfx key was stored in the user's key set for the run
    std::vector<Bytes> certificates_;
    std::string name_;
};
