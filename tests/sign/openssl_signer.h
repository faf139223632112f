// What the host tests sign with: throwaway keys and certificates made by the openssl
// command in a temporary folder, a key's signature through libcrypto, and commands run
// with their output kept.
#pragma once

#include <string>

#include "sign/authenticode.h"

// Runs `command` through the shell; its output (both streams) in `output`. True on exit 0.
bool runCommand(const std::string& command, std::string& output);

Bytes readFile(const std::string& path);
void writeFile(const std::string& path, const Bytes& data);

// The DER certificate of the PEM file at `path` (its first certificate).
Bytes certificateDer(const std::string& path);

// Signs digests with the PEM private key at `keyPath` (RSA PKCS #1 v1.5, or ECDSA as DER).
SignDigest opensslSigner(const std::string& keyPath);
