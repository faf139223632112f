#include "openssl_signer.h"

#include <openssl/evp.h>
#include <openssl/pem.h>
#include <openssl/x509.h>

#include <cstdio>
#include <fstream>
#include <iterator>

bool runCommand(const std::string& command, std::string& output) {
    output.clear();
    FILE* pipe = popen((command + " 2>&1").c_str(), "r");
    if (pipe == nullptr) return false;
    char buffer[4096];
    std::size_t got = 0;
    while ((got = fread(buffer, 1, sizeof buffer, pipe)) > 0) output.append(buffer, got);
    return pclose(pipe) == 0;
}

Bytes readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void writeFile(const std::string& path, const Bytes& data) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data.data()),
              static_cast<std::streamsize>(data.size()));
}

Bytes certificateDer(const std::string& path) {
    FILE* file = std::fopen(path.c_str(), "r");
    if (file == nullptr) return {};
    X509* certificate = PEM_read_X509(file, nullptr, nullptr, nullptr);
    std::fclose(file);
    if (certificate == nullptr) return {};
    unsigned char* der = nullptr;
    const int size = i2d_X509(certificate, &der);
    Bytes bytes = size > 0 ? Bytes(der, der + size) : Bytes();
    OPENSSL_free(der);
    X509_free(certificate);
    return bytes;
}

SignDigest opensslSigner(const std::string& keyPath) {
    return [keyPath](const Bytes& digest, Bytes& signature, std::string& problem) {
        FILE* file = std::fopen(keyPath.c_str(), "r");
        EVP_PKEY* key = file ? PEM_read_PrivateKey(file, nullptr, nullptr, nullptr) : nullptr;
        if (file) std::fclose(file);
        if (key == nullptr) {
            problem = "cannot read the key " + keyPath;
            return false;
        }
        EVP_PKEY_CTX* context = EVP_PKEY_CTX_new(key, nullptr);
        std::size_t size = 0;
        bool ok = context != nullptr && EVP_PKEY_sign_init(context) > 0 &&
                  EVP_PKEY_CTX_set_signature_md(context, EVP_sha256()) > 0 &&
                  EVP_PKEY_sign(context, nullptr, &size, digest.data(), digest.size()) > 0;
        if (ok) {
            signature.resize(size);
            ok = EVP_PKEY_sign(context, signature.data(), &size, digest.data(), digest.size()) > 0;
            signature.resize(size);
        }
        EVP_PKEY_CTX_free(context);
        EVP_PKEY_free(key);
        if (!ok) problem = "libcrypto could not sign";
        return ok;
    };
}
