#include "sign/signed_file_win32.h"

#include <windows.h>
#include <softpub.h>
#include <wintrust.h>

#include "brand/file_bytes.h"
#include "console/console_text.h"
#include "console/system_error.h"
#include "sign/program_signature.h"
#include "sign/timestamp_http_win32.h"

long windowsTrust(const std::string& path) {
    const std::wstring wide = wideFromCodePage(path, CP_ACP);
    WINTRUST_FILE_INFO file{};
    file.cbStruct = sizeof file;
    file.pcwszFilePath = wide.c_str();
    WINTRUST_DATA data{};
    data.cbStruct = sizeof data;
    data.dwUIChoice = WTD_UI_NONE;
    data.fdwRevocationChecks = WTD_REVOKE_NONE;
    data.dwUnionChoice = WTD_CHOICE_FILE;
    data.pFile = &file;
    data.dwStateAction = WTD_STATEACTION_VERIFY;
    GUID action = WINTRUST_ACTION_GENERIC_VERIFY_V2;
    const LONG verdict = WinVerifyTrust(static_cast<HWND>(INVALID_HANDLE_VALUE), &action, &data);
    data.dwStateAction = WTD_STATEACTION_CLOSE;
    WinVerifyTrust(static_cast<HWND>(INVALID_HANDLE_VALUE), &action, &data);
    return verdict;
}

std::string trustText(long verdict) {
    switch (static_cast<HRESULT>(verdict)) {
        case TRUST_E_NOSIGNATURE:
            return "Windows finds no signature in it";
        case TRUST_E_BAD_DIGEST:
            return "Windows finds it changed after signing";
        case CERT_E_UNTRUSTEDROOT:
        case CERT_E_CHAINING:
            return "Windows does not trust the certificate's root on this computer";
        case CERT_E_EXPIRED:
            return "the certificate has expired";
        case CERT_E_WRONG_USAGE:
            return "the certificate is not for code signing";
        case TRUST_E_EXPLICIT_DISTRUST:
            return "the certificate is explicitly distrusted on this computer";
        default:
            return systemErrorText(static_cast<unsigned long>(verdict));
    }
}

namespace {

// Verdicts that say the signature holds and only the certificate is not trusted here:
// a test certificate, or a root this computer does not hold. The author's own computer
// may well not trust the certificate Windows elsewhere trusts.
bool onlyUntrusted(long verdict) {
    const HRESULT result = static_cast<HRESULT>(verdict);
    return result == CERT_E_UNTRUSTEDROOT || result == CERT_E_CHAINING ||
           result == CERT_E_UNTRUSTEDTESTROOT || result == CERT_E_UNTRUSTEDCA;
}

}  // namespace

SignedFile signFileInPlace(const std::string& path, PlatformSigner& signer,
                           const std::string& timestampUrl, const std::string& programName) {
    SignedFile result;
    Bytes program;
    if (!readFileBytes(path, program)) {
        result.problem = "it cannot be read back: " + systemErrorText(GetLastError());
        return result;
    }
    SigningRequest request;
    request.certificates = signer.certificates();
    request.programName = programName;
    request.sign = signer.signer();
    if (!timestampUrl.empty()) request.timestamp = httpTimestamper(timestampUrl);
    const SigningResult signedProgram = signProgram(program, request);
    if (!signedProgram.done) {
        result.problem = signedProgram.problem;
        return result;
    }
    result.replacedSignature = signedProgram.replacedSignature;
    if (!writeFileBytes(path, signedProgram.file)) {
        result.problem = "it cannot be written: " + systemErrorText(GetLastError());
        return result;
    }

    // The file as written: read back, its signature intact and the signer's, and Windows'
    // verdict where it gives one.
    Bytes written;
    if (!readFileBytes(path, written) || written != signedProgram.file) {
        result.problem = "the signed file does not read back as written";
        return result;
    }
    const SignatureFacts facts = inspectSignature(written);
    if (facts.state != SignatureState::intact) {
        result.problem = "the signed file does not verify: " + facts.problem;
        return result;
    }
    result.signer = facts.signer;
    const long verdict = windowsTrust(path);
    if (verdict != 0 && !onlyUntrusted(verdict)) {
        result.problem = "Windows does not accept the signature: " + trustText(verdict);
        return result;
    }
    if (verdict != 0) result.trust = trustText(verdict);
    result.done = true;
    return result;
}
