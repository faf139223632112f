#include "editor/sign_dialog.h"

#include <commctrl.h>
#include <wincrypt.h>

#include <string>
#include <vector>

#include "brand/brand_signing.h"
#include "brand/file_bytes.h"
#include "console/console_text.h"
#include "editor/dialog_frame.h"
#include "editor/editor_dialogs.h"
#include "editor/findings/ansi_path.h"
#include "sign/program_signature.h"

namespace {

constexpr wchar_t kCaption[] = L"Sign the menu program";
constexpr int kPromptText = 100;
constexpr int kAnswer = 101;

int ask(HWND owner, const std::wstring& text, UINT flags) {
    return MessageBoxW(owner, text.c_str(), kCaption, flags);
}

std::wstring fromUtf8(const std::string& text) { return wideFromCodePage(text, CP_UTF8); }

// `text` as ASCII, as a web address is written; false when it holds anything else.
bool asciiOf(const std::wstring& text, std::string& ascii) {
    ascii.clear();
    for (const wchar_t c : text) {
        if (c < 0x21 || c > 0x7E) return false;
        ascii += static_cast<char>(c);
    }
    return true;
}

// One line of text asked for in a small dialog of its own.
struct Question {
    const wchar_t* title;
    std::wstring prompt;
    bool secret;  // a password: shown as dots
    std::wstring answer;
};

INT_PTR CALLBACK questionProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    Question* question = reinterpret_cast<Question*>(GetWindowLongPtrW(dialog, DWLP_USER));
    switch (message) {
        case WM_INITDIALOG: {
            question = reinterpret_cast<Question*>(lParam);
            SetWindowLongPtrW(dialog, DWLP_USER, lParam);
            SetWindowTextW(dialog, question->title);
            sizeDialog(dialog, 424, 132);
            makeDialogControl(dialog, WC_STATICW, question->prompt.c_str(), SS_LEFT, kPromptText,
                              12, 10, 400, 44);
            HWND answer = makeDialogControl(
                dialog, WC_EDITW, question->answer.c_str(),
                WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL | (question->secret ? ES_PASSWORD : 0),
                kAnswer, 12, 58, 400, 23);
            makeDialogControl(dialog, WC_BUTTONW, L"OK", WS_TABSTOP | BS_DEFPUSHBUTTON, IDOK, 220,
                              94, 92, 26);
            makeDialogControl(dialog, WC_BUTTONW, L"Cancel", WS_TABSTOP | BS_PUSHBUTTON, IDCANCEL,
                              320, 94, 92, 26);
            SetFocus(answer);
            return FALSE;  // the focus is set
        }
        case WM_COMMAND:
            if (LOWORD(wParam) == IDOK) {
                HWND answer = GetDlgItem(dialog, kAnswer);
                const int length = GetWindowTextLengthW(answer);
                std::vector<wchar_t> text(static_cast<std::size_t>(length > 0 ? length : 0) + 1);
                GetWindowTextW(answer, text.data(), length + 1);
                question->answer = text.data();
                // A password does not stay in the dialog's memory longer than needed.
                SecureZeroMemory(text.data(), text.size() * sizeof(wchar_t));
                EndDialog(dialog, IDOK);
            } else if (LOWORD(wParam) == IDCANCEL) {
                EndDialog(dialog, IDCANCEL);
            }
            return TRUE;
        default:
            return FALSE;
    }
}

// Asks `question` in a dialog over `owner`; false when the author cancels.
bool askText(HWND owner, Question& question) {
    return runDialog(owner, questionProc, reinterpret_cast<LPARAM>(&question)) == IDOK;
}

using SelectCertificateCall = PCCERT_CONTEXT(WINAPI*)(HCERTSTORE, HWND, LPCWSTR, LPCWSTR, DWORD,
                                                      DWORD, void*);

// Whether `certificate` may sign programs and has a private key on this PC (or a token).
bool signsCode(PCCERT_CONTEXT certificate) {
    DWORD size = 0;
    if (!CertGetCertificateContextProperty(certificate, CERT_KEY_PROV_INFO_PROP_ID, nullptr, &size))
        return false;
    size = 0;
    if (!CertGetEnhancedKeyUsage(certificate, 0, nullptr, &size) || size == 0) return false;
    std::vector<BYTE> usage(size);
    PCERT_ENHKEY_USAGE uses = reinterpret_cast<PCERT_ENHKEY_USAGE>(usage.data());
    if (!CertGetEnhancedKeyUsage(certificate, 0, uses, &size)) return false;
    for (DWORD i = 0; i < uses->cUsageIdentifier; ++i) {
        if (std::string(uses->rgpszUsageIdentifier[i]) == szOID_PKIX_KP_CODE_SIGNING) return true;
    }
    return false;
}

// The thumbprint of a certificate the author picks from their store in Windows' own
// picker, offered only the certificates that sign code with a key at hand; empty when
// they cancel, or with the reason in `problem`.
std::string pickFromStore(HWND owner, std::wstring& problem) {
    HMODULE cryptui = LoadLibraryExW(L"cryptui.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    const auto select = cryptui == nullptr
                            ? nullptr
                            : reinterpret_cast<SelectCertificateCall>(reinterpret_cast<void*>(
                                  GetProcAddress(cryptui, "CryptUIDlgSelectCertificateFromStore")));
    HCERTSTORE mine =
        CertOpenStore(CERT_STORE_PROV_SYSTEM_W, 0, 0,
                      CERT_SYSTEM_STORE_CURRENT_USER | CERT_STORE_READONLY_FLAG, L"MY");
    HCERTSTORE offered = CertOpenStore(CERT_STORE_PROV_MEMORY, 0, 0, 0, nullptr);
    std::string thumbprint;
    int count = 0;
    if (mine != nullptr && offered != nullptr) {
        for (PCCERT_CONTEXT certificate = CertEnumCertificatesInStore(mine, nullptr);
             certificate != nullptr; certificate = CertEnumCertificatesInStore(mine, certificate)) {
            if (signsCode(certificate) && CertAddCertificateContextToStore(
                                              offered, certificate, CERT_STORE_ADD_ALWAYS, nullptr))
                ++count;
        }
    }
    if (select == nullptr) {
        problem = L"This Windows has no certificate picker (cryptui.dll): choose a .pfx file.";
    } else if (count == 0) {
        problem =
            L"Your certificate store holds no certificate for code signing with its private "
            L"key. Install yours (or plug in its token), or choose a .pfx file.";
    } else if (PCCERT_CONTEXT chosen =
                   select(offered, owner, kCaption, L"The certificates that may sign programs", 0,
                          0, nullptr)) {
        BYTE hash[20] = {};
        DWORD size = sizeof hash;
        if (CertGetCertificateContextProperty(chosen, CERT_SHA1_HASH_PROP_ID, hash, &size)) {
            static const char kDigits[] = "0123456789ABCDEF";
            for (DWORD i = 0; i < size; ++i) {
                thumbprint += kDigits[hash[i] >> 4];
                thumbprint += kDigits[hash[i] & 15];
            }
        }
        CertFreeCertificateContext(chosen);
    }
    if (offered != nullptr) CertCloseStore(offered, 0);
    if (mine != nullptr) CertCloseStore(mine, 0);
    if (cryptui != nullptr) FreeLibrary(cryptui);
    return thumbprint;
}

}  // namespace

std::wstring signatureText(const std::wstring& program) {
    if (program.empty()) return L"No menu program beside the file";
    Bytes file;
    const std::wstring safe = ansiSafePath(program);
    if (safe.empty() || !readFileBytes(ansiText(safe), file)) return L"Menu program: not read";
    const SignatureFacts facts = inspectSignature(file);
    switch (facts.state) {
        case SignatureState::none:
            return L"Menu program: not signed";
        case SignatureState::intact:
            return L"Menu program: signed by " + (facts.signer.empty()
                                                      ? std::wstring(L"an unnamed signer")
                                                      : fromUtf8(facts.signer));
        case SignatureState::broken:
            return L"Menu program: signature broken (" + fromUtf8(facts.problem) + L")";
    }
    return {};
}

bool signMenuProgram(HWND owner, const std::wstring& program) {
    const std::wstring safe = ansiSafePath(program);
    if (safe.empty()) {
        ask(owner,
            program +
                L"\n\nThis path cannot be handed to the signing, which takes "
                L"paths in this system's code page: move the medium to a folder "
                L"with a plainer name.",
            MB_OK | MB_ICONERROR);
        return false;
    }
    BrandRequest request;
    request.menu = ansiText(safe);
    request.signOnly = true;
    const int source = ask(owner,
                           L"Sign " + program +
                               L" with your code-signing certificate.\n\nYes: from a certificate "
                               L"file (.pfx).\nNo: from your Windows certificate store (also a "
                               L"certificate on a token or smart card).",
                           MB_YESNOCANCEL | MB_ICONQUESTION);
    if (source == IDCANCEL) return false;
    if (source == IDYES) {
        const std::wstring pfx = chooseCertificateFile(owner);
        if (pfx.empty()) return false;
        const std::wstring pfxSafe = ansiSafePath(pfx);
        if (pfxSafe.empty()) {
            ask(owner,
                pfx +
                    L"\n\nThis path cannot be handed to the signing: copy the file to "
                    L"a folder with a plainer name.",
                MB_OK | MB_ICONERROR);
            return false;
        }
        request.signPfx = ansiText(pfxSafe);
        request.askPassword = [owner, pfx](std::wstring& password, std::string& problem) {
            Question question{L"Certificate password", L"The password of " + pfx + L":", true, {}};
            if (!askText(owner, question)) {
                problem = "no password was given";
                return false;
            }
            password.swap(question.answer);
            return true;
        };
    } else {
        std::wstring problem;
        const std::string thumbprint = pickFromStore(owner, problem);
        if (thumbprint.empty()) {
            if (!problem.empty()) ask(owner, problem, MB_OK | MB_ICONINFORMATION);
            return false;
        }
        request.signStore = thumbprint;
    }
    Question timestamp{L"Time stamp",
                       L"The address of a time-stamp server (RFC 3161), so that the signature "
                       L"stays valid after the certificate expires. Your certificate's issuer "
                       L"names one. Leave it empty to sign without.",
                       false,
                       {}};
    if (!askText(owner, timestamp)) return false;
    if (!timestamp.answer.empty()) {
        std::string url;
        if (!asciiOf(timestamp.answer, url)) {
            ask(owner, L"A time-stamp server's address is plain text: " + timestamp.answer,
                MB_OK | MB_ICONERROR);
            return false;
        }
        request.timestampUrl = url;
    }

    HCURSOR before = SetCursor(LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_WAIT)));
    const BrandResult result = signMenuInPlace(request);
    SetCursor(before);
    if (result.outcome != BrandOutcome::written) {
        ask(owner,
            fromUtf8(result.reason) +
                L"\n\nNothing was written; the program keeps the "
                L"signature it had.",
            MB_OK | MB_ICONERROR);
        return false;
    }
    std::wstring said = L"Signed " + program + L" as " + fromUtf8(result.signer) + L".";
    if (result.signatureReplaced) said += L"\nIts earlier signature was replaced.";
    if (!result.trust.empty())
        said += L"\nThis PC does not trust the signer yet: " + fromUtf8(result.trust);
    for (const std::string& note : result.notes) said += L"\n" + fromUtf8(note);
    ask(owner, said, MB_OK | MB_ICONINFORMATION);
    return true;
}
