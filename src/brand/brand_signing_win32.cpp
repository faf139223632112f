#include "brand/brand_signing.h"

#include <windows.h>

#include "brand/file_bytes.h"
#include "brand/menu_program.h"
#include "brand/system_text.h"
#include "console/full_path.h"
#include "console/system_error.h"
#include "sign/signed_file_win32.h"

namespace {

std::string shown(const std::string& path) { return utf8FromSystemText(path); }

// The name Windows shows for the signed program: the product name given, or else the file
// name without its extension.
std::string programName(const BrandRequest& request, const std::string& path) {
    if (request.product) return utf8FromSystemText(*request.product);
    std::string name = path.substr(path.find_last_of("\\/") + 1);
    const std::size_t dot = name.find_last_of('.');
    if (dot != std::string::npos && dot > 0) name.resize(dot);
    return utf8FromSystemText(name);
}

BrandResult notWritten(BrandOutcome outcome, const std::string& reason) {
    BrandResult result;
    result.outcome = outcome;
    result.reason = reason;
    return result;
}

}  // namespace

bool openSigner(const BrandRequest& request, PlatformSigner& signer, std::string& reason) {
    SignerSource source;
    if (request.signPfx) source.pfx = *request.signPfx;
    if (request.signStore) source.thumbprint = *request.signStore;
    if (request.passwordFile) source.passwordFile = *request.passwordFile;
    source.askPassword = request.askPassword;
    return signer.open(source, reason);
}

bool signWrittenProgram(const std::string& temporary, const BrandRequest& request,
                        PlatformSigner& signer, BrandResult& result, std::string& reason) {
    const SignedFile signedFile =
        signFileInPlace(temporary, signer, request.timestampUrl.value_or(std::string()),
                        programName(request, request.signOnly ? request.menu : request.output));
    if (!signedFile.done) {
        reason = "not signed: " + signedFile.problem;
        return false;
    }
    result.signer = signedFile.signer.empty() ? signer.name() : signedFile.signer;
    result.signatureReplaced = signedFile.replacedSignature;
    result.trust = signedFile.trust;
    return true;
}

BrandResult signMenuInPlace(const BrandRequest& asked) {
    BrandRequest request = asked;
    std::string full;
    if (!fullPath(request.menu, full)) {
        return notWritten(BrandOutcome::refused,
                          shown(request.menu) +
                              ": not a path Windows can use: " + systemErrorText(GetLastError()));
    }
    request.menu = full;
    MenuProgram menu;
    std::string reason;
    const MenuReading reading = readMenuProgram(request.menu, menu, reason);
    if (reading != MenuReading::read) {
        return notWritten(
            reading == MenuReading::failed ? BrandOutcome::failed : BrandOutcome::refused,
            shown(request.menu) + ": " + reason);
    }
    PlatformSigner signer;
    if (!openSigner(request, signer, reason)) return notWritten(BrandOutcome::refused, reason);

    const DWORD attributes = GetFileAttributesA(request.menu.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0)
        return notWritten(BrandOutcome::refused, shown(request.menu) + ": it is read-only");
    const std::string folder = request.menu.substr(0, request.menu.find_last_of("\\/") + 1);
    char temporary[MAX_PATH];
    if (GetTempFileNameA(folder.c_str(), "ams", 0, temporary) == 0) {
        return notWritten(BrandOutcome::refused, shown(request.menu) +
                                                     ": its folder cannot be written to: " +
                                                     systemErrorText(GetLastError()));
    }
    BrandResult result;
    if (!writeFileBytes(temporary, menu.file)) {
        reason = "a copy cannot be written beside it: " + systemErrorText(GetLastError());
    } else if (signWrittenProgram(temporary, request, signer, result, reason)) {
        if (MoveFileExA(temporary, request.menu.c_str(),
                        MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
            result.outcome = BrandOutcome::written;
            result.output = request.menu;
            return result;
        }
        reason = "it cannot be replaced: " + systemErrorText(GetLastError());
    }
    DeleteFileA(temporary);
    return notWritten(BrandOutcome::failed, shown(request.menu) + ": " + reason);
}
