#include "checker/signature_check.h"

#include <windows.h>

#include "brand/file_bytes.h"
#include "sign/program_signature.h"
#include "sign/signed_file_win32.h"

void checkProgramSignature(const std::string& program, Report& report) {
    Bytes file;
    if (!readFileBytes(program, file)) return;
    const SignatureFacts facts = inspectSignature(file);
    // The signer's name is UTF-8 while paths are in the system's code page.
    const unsigned codePage = report.textCodePage();
    switch (facts.state) {
        case SignatureState::none:
            report.warning(program,
                           "the menu program is not signed: Smart App Control may block it and "
                           "SmartScreen warns before it starts from a downloaded disc image; "
                           "sign it with autorun-menu-brand --sign-only");
            return;
        case SignatureState::broken:
            report.warning(program, "the menu program's signature is broken (" + facts.problem +
                                        "): sign it again with autorun-menu-brand --sign-only");
            return;
        case SignatureState::intact:
            break;
    }
    const long verdict = windowsTrust(program);
    if (verdict != 0 && verdict != static_cast<long>(CERT_E_UNTRUSTEDROOT) &&
        verdict != static_cast<long>(CERT_E_CHAINING)) {
        report.setTextCodePage(kUtf8CodePage);
        report.warning(program,
                       "the menu program is signed" +
                           (facts.signer.empty() ? std::string() : " by " + facts.signer) +
                           ", but Windows does not accept the signature: " + trustText(verdict));
        report.setTextCodePage(codePage);
        return;
    }
    report.setTextCodePage(kUtf8CodePage);
    report.info(program,
                "the menu program is signed by " +
                    (facts.signer.empty() ? std::string("an unnamed signer") : facts.signer) +
                    (verdict == 0 ? std::string() : " (" + trustText(verdict) + ")") +
                    (facts.problem.empty() ? std::string() : "; " + facts.problem));
    report.setTextCodePage(codePage);
}
