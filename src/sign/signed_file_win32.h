// A program file signed in place and checked as Windows checks it.
#pragma once

#include <string>

#include "sign/platform_signer_win32.h"

struct SignedFile {
    bool done = false;
    std::string problem;             // when not done: why (UTF-8)
    bool replacedSignature = false;  // the file was signed before; that signature is gone
    std::string signer;              // the signer's name as read back from the written file
    std::string trust;               // what Windows said of the signer, when it does not trust it
};

// Signs the program at `path` (a file of the caller's own, such as a temporary copy) with
// `signer`, time-stamped from `timestampUrl` when not empty, and checks the file as
// written: Windows' verdict (WinVerifyTrust) where it gives one, the image hash read back,
// the signer's name. False with the problem when any step fails; `path` may then hold a
// partial file, which the caller deletes.
SignedFile signFileInPlace(const std::string& path, PlatformSigner& signer,
                           const std::string& timestampUrl, const std::string& programName);

// Windows' verdict on the signature of the file at `path`: 0 (trusted) or the HRESULT of
// WinVerifyTrust, such as TRUST_E_NOSIGNATURE, TRUST_E_BAD_DIGEST or CERT_E_UNTRUSTEDROOT.
long windowsTrust(const std::string& path);

// Words for a WinVerifyTrust result that is not 0 (UTF-8).
std::string trustText(long verdict);
