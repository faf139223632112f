// The menu branded and signed by brand_signing_test.sh, as people get it: it still opens
// its medium, and Windows' own check (WinVerifyTrust) finds the signature whole, and
// broken once a byte of the program changes.
#include <windows.h>
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

#include "brand/file_bytes.h"
#include "built_program.h"
#include "checker/medium_check.h"
#include "running_program.h"
#include "sign/program_signature.h"
#include "sign/signed_file_win32.h"
#include "test_files.h"

namespace {

std::string medium() {
    char full[MAX_PATH];
    const std::string path = testProgramFolder() + AUTORUN_MENU_SIGNED_MEDIUM + "\\";
    const DWORD length = GetFullPathNameA(path.c_str(), sizeof full, full, nullptr);
    return std::string(full, length);
}

std::string title() {
    std::ifstream in(medium() + "title.txt", std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

TEST(SignedMenu, OpensItsMedium) {
    const std::string program = medium() + "start.exe";
    ASSERT_FALSE(title().empty()) << "no signed medium in " << medium();
    RunningProgram menu(program);
    ASSERT_TRUE(menu.started());
    EXPECT_NE(nullptr, waitForMenuWindow(menu, title())) << "the signed menu did not appear";
    menu.kill();
}

TEST(SignedMenu, WindowsFindsTheSignatureWholeAndAChangeBreaksIt) {
    const std::string program = medium() + "start.exe";
    Bytes file;
    ASSERT_TRUE(readFileBytes(program, file));
    const SignatureFacts facts = inspectSignature(file);
    EXPECT_EQ(SignatureState::intact, facts.state) << facts.problem;
    EXPECT_EQ("Throwaway test publisher", facts.signer);
    const long whole = windowsTrust(program);
    // The test's root is not trusted here; Windows says so, Wine may say it is fine.
    EXPECT_TRUE(whole == 0 || whole == static_cast<long>(CERT_E_UNTRUSTEDROOT)) << trustText(whole);

    TempFolder folder;
    file[0x400] ^= 1;
    const std::string changed = folder.path() + "changed.exe";
    ASSERT_TRUE(writeFileBytes(changed, file));
    EXPECT_EQ(SignatureState::broken, inspectSignature(file).state);
    const long broken = windowsTrust(changed);
    EXPECT_NE(0, broken) << "Windows accepts a program changed after signing";
    std::printf("WinVerifyTrust: whole %s; changed %s\n",
                whole == 0 ? "trusted" : trustText(whole).c_str(), trustText(broken).c_str());
}

// The checker names the signer of the menu beside autorun.inf, and warns when a change
// broke the signature.
TEST(SignedMenu, TheCheckerNamesTheSignerAndWarnsOfABrokenSignature) {
    const auto signatureFinding = [](const std::string& folder) {
        CheckOptions options;
        options.medium = folder;
        for (const Finding& finding : checkMedium(options).findings)
            if (finding.text.find("the menu program") == 0 &&
                finding.text.find("signed") != std::string::npos)
                return finding;
        return Finding{Severity::Error, Place(folder), "no finding about the signature", 0, {}};
    };
    const Finding whole = signatureFinding(medium());
    EXPECT_EQ(Severity::Info, whole.severity);
    EXPECT_EQ(0u, whole.text.find("the menu program is signed by Throwaway test publisher"))
        << whole.text;

    TempFolder folder;
    Bytes file;
    ASSERT_TRUE(readFileBytes(medium() + "start.exe", file));
    file[0x400] ^= 1;
    ASSERT_TRUE(writeFileBytes(folder.path() + "start.exe", file));
    folder.write("autorun.inf", "[0]\r\nTitle=Changed\r\n");
    const Finding broken = signatureFinding(folder.path());
    EXPECT_EQ(Severity::Warning, broken.severity);
    EXPECT_EQ(0u, broken.text.find("the menu program's signature is broken (the program was "
                                   "changed after it was signed"))
        << broken.text;
}

}  // namespace
