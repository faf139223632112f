// Authenticode signatures made by the portable parts and checked by independent tools:
// the image hash against osslsigncode's, programs signed here with throwaway keys (RSA,
// ECDSA, a chain through an intermediate) verifying with `osslsigncode verify`, the same
// bytes from signing twice, and every kind of bad input refused without a crash.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "bytes/sha256.h"
#include "openssl_signer.h"
#include "pe_header/pe_header.h"
#include "sign/authenticode.h"
#include "sign/der.h"
#include "sign/image_hash.h"
#include "sign/pfx_contents.h"
#include "sign/program_signature.h"
#include "sign/timestamp.h"

namespace {

std::string hex(const Bytes& bytes) {
    static const char digits[] = "0123456789ABCDEF";
    std::string text;
    for (unsigned char byte : bytes) {
        text += digits[byte >> 4];
        text += digits[byte & 15];
    }
    return text;
}

// A small PE32 program made here: headers, two sections in the file (written in reverse
// order in the section table), 0x13 bytes of trailing data so its length is not aligned.
Bytes smallProgram() {
    Bytes file(0x600, 0);
    file[0] = 'M';
    file[1] = 'Z';
    const std::size_t pe = 0x80, optional = pe + 24, directories = optional + 96;
    const std::size_t sections = directories + 16 * 8;
    writeNumber(file, 0x3C, 4, pe);
    writeNumber(file, pe, 4, 0x00004550);
    writeNumber(file, pe + 4, 2, 0x014C);  // i386
    writeNumber(file, pe + 6, 2, 2);
    writeNumber(file, pe + 20, 2, static_cast<std::uint32_t>(sections - optional));
    writeNumber(file, pe + 22, 2, 0x0102);
    writeNumber(file, optional, 2, 0x10B);
    writeNumber(file, optional + 16, 4, 0x1000);    // entry point
    writeNumber(file, optional + 28, 4, 0x400000);  // image base
    writeNumber(file, optional + 32, 4, 0x1000);    // section alignment
    writeNumber(file, optional + 36, 4, 0x200);     // file alignment
    writeNumber(file, optional + 40, 2, 4);         // OS version
    writeNumber(file, optional + 48, 2, 4);         // subsystem version
    writeNumber(file, optional + 56, 4, 0x3000);    // size of image
    writeNumber(file, optional + 60, 4, 0x200);     // size of headers
    writeNumber(file, optional + 68, 2, 3);         // console
    writeNumber(file, directories - 4, 4, 16);
    const char* names[] = {".data", ".text"};
    const std::uint32_t places[] = {0x400, 0x200};
    for (int i = 0; i < 2; ++i) {
        const std::size_t entry = sections + 40 * static_cast<std::size_t>(i);
        for (int c = 0; names[i][c] != '\0'; ++c) file[entry + c] = names[i][c];
        writeNumber(file, entry + 8, 4, 0x200);
        writeNumber(file, entry + 12, 4, places[i] == 0x200 ? 0x1000 : 0x2000);
        writeNumber(file, entry + 16, 4, 0x200);
        writeNumber(file, entry + 20, 4, places[i]);
        writeNumber(file, entry + 36, 4, 0x60000020);
    }
    for (std::size_t at = 0x200; at < file.size(); ++at)
        file[at] = static_cast<unsigned char>(at * 7);
    for (int i = 0; i < 0x13; ++i) file.push_back(static_cast<unsigned char>(0xA0 + i));
    writeChecksum(file);
    return file;
}

// The certificates every test signs with, made once in a temporary folder: a self-signed
// publisher (RSA), an ECDSA one, and a root, an intermediate and a publisher under them.
class Signing : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        char pattern[] = "/tmp/sign-test-XXXXXX";
        ASSERT_NE(nullptr, mkdtemp(pattern));
        folder_ = pattern;
        const std::string script =
            "cd " + folder_ +
            " && openssl req -x509 -newkey rsa:2048 -nodes -keyout rsa.key -out rsa.pem -days 2"
            " -subj '/CN=Throwaway RSA publisher' -addext extendedKeyUsage=codeSigning"
            " && openssl req -x509 -newkey ec -pkeyopt ec_paramgen_curve:P-256 -nodes"
            " -keyout ec.key -out ec.pem -days 2 -subj '/CN=Throwaway EC publisher'"
            " -addext extendedKeyUsage=codeSigning"
            " && openssl req -x509 -newkey rsa:2048 -nodes -keyout root.key -out root.pem"
            " -days 2 -subj '/CN=Throwaway root' -addext basicConstraints=critical,CA:true"
            " && openssl req -new -newkey rsa:2048 -nodes -keyout mid.key -out mid.csr"
            " -subj '/CN=Throwaway intermediate'"
            " && printf 'basicConstraints=critical,CA:true\\n' >mid.ext"
            " && openssl x509 -req -in mid.csr -CA root.pem -CAkey root.key -CAcreateserial"
            " -days 2 -extfile mid.ext -out mid.pem"
            " && openssl req -new -newkey rsa:2048 -nodes -keyout leaf.key -out leaf.csr"
            " -subj '/CN=Throwaway chained publisher'"
            " && printf 'extendedKeyUsage=codeSigning\\n' >leaf.ext"
            " && openssl x509 -req -in leaf.csr -CA mid.pem -CAkey mid.key -CAcreateserial"
            " -days 2 -extfile leaf.ext -out leaf.pem"
            " && openssl pkcs12 -export -in rsa.pem -inkey rsa.key -out keyed.pfx -passout pass:x"
            " && openssl pkcs12 -export -nokeys -in rsa.pem -out keyless.pfx -passout pass:x";
        std::string output;
        ASSERT_TRUE(runCommand(script, output)) << output;
    }
    static void TearDownTestSuite() {
        std::string output;
        runCommand("rm -rf " + folder_, output);
    }

    static std::string path(const std::string& name) { return folder_ + "/" + name; }

    static SigningRequest request(const std::string& name,
                                  const std::vector<std::string>& chain = {}) {
        SigningRequest request;
        request.certificates.push_back(certificateDer(path(name + ".pem")));
        for (const std::string& more : chain)
            request.certificates.push_back(certificateDer(path(more)));
        request.programName = "Throwaway menü";
        request.sign = opensslSigner(path(name + ".key"));
        return request;
    }

    // osslsigncode's verdict on the program `file` against the root certificate `root`.
    static bool verifies(const Bytes& file, const std::string& root, std::string& output) {
        writeFile(path("signed.exe"), file);
        return runCommand(
            "osslsigncode verify -in " + path("signed.exe") + " -CAfile " + path(root), output);
    }

    static std::string folder_;
};
std::string Signing::folder_;

// The real programs the tests sign: one made here and, where Wine is installed, one of
// its own x64 programs as the linker wrote it.
std::vector<Bytes> programs() {
    std::vector<Bytes> list{smallProgram()};
    const Bytes wine = readFile("/usr/lib/x86_64-linux-gnu/wine/x86_64-windows/hostname.exe");
    if (!wine.empty()) list.push_back(wine);
    return list;
}

TEST(Sha256, KnownDigestsAcrossBlockEdges) {
    EXPECT_EQ("E3B0C44298FC1C149AFBF4C8996FB92427AE41E4649B934CA495991B7852B855", hex(sha256({})));
    const std::string abc = "abc";
    EXPECT_EQ("BA7816BF8F01CFEA414140DE5DAE2223B00361A396177A9CB410FF61F20015AD",
              hex(sha256(Bytes(abc.begin(), abc.end()))));
    // Fed in uneven pieces, a million bytes give the one-shot digest.
    Bytes million(1000000, 'a');
    Sha256 pieces;
    for (std::size_t at = 0; at < million.size(); at += 997)
        pieces.add(million.data() + at, std::min<std::size_t>(997, million.size() - at));
    EXPECT_EQ("CDC76E5C9914FB9281A1C7E284D73E67F1809A48A497200E046D39CCC7112CD0",
              hex(pieces.finish()));
}

TEST(Der, LengthsOidsIntegersAndSetsAsDerWritesThem) {
    EXPECT_EQ("0500", hex(der::null()));
    EXPECT_EQ("06092A864886F70D010702", hex(der::oid("1.2.840.113549.1.7.2")));
    EXPECT_EQ("060A2B060104018237020104", hex(der::oid("1.3.6.1.4.1.311.2.1.4")));
    EXPECT_EQ("020100", hex(der::integer(0)));
    EXPECT_EQ("02020080", hex(der::integer(128)));
    EXPECT_EQ("020400FFFFFF", hex(der::integer(0xFFFFFF)));
    EXPECT_EQ("0481", hex(der::octetString(Bytes(0x81))).substr(0, 4));
    EXPECT_EQ("048201", hex(der::octetString(Bytes(0x100))).substr(0, 6));
    EXPECT_EQ("3106020101020102", hex(der::setOf({der::integer(2), der::integer(1)})));

    // Reading never passes the end: a length longer than the bytes is refused.
    const Bytes cut{0x30, 0x05, 0x02, 0x01};
    der::Item item;
    EXPECT_FALSE(der::read(cut, 0, cut.size(), item));
    const Bytes huge{0x30, 0x84, 0xFF, 0xFF, 0xFF, 0xFF};
    EXPECT_FALSE(der::read(huge, 0, huge.size(), item));
}

TEST_F(Signing, ImageHashIsOsslsigncodesForTheSameFile) {
    for (const Bytes& program : programs()) {
        writeFile(path("plain.exe"), program);
        std::string output;
        ASSERT_TRUE(runCommand("rm -f " + path("theirs.exe") + " && osslsigncode sign -certs " +
                                   path("rsa.pem") + " -key " + path("rsa.key") +
                                   " -h sha256 -in " + path("plain.exe") + " -out " +
                                   path("theirs.exe") + " && osslsigncode verify -in " +
                                   path("theirs.exe") + " -CAfile " + path("rsa.pem"),
                               output))
            << output;
        const std::size_t at = output.find("Calculated message digest : ");
        ASSERT_NE(std::string::npos, at) << output;
        std::string problem;
        EXPECT_EQ(output.substr(at + 28, 64),
                  hex(authenticodeImageHash(readFile(path("theirs.exe")), problem)))
            << problem;
    }
}

TEST_F(Signing, SignedProgramsVerifyWithEveryKeyKindAndThroughAChain) {
    struct Row {
        const char* signer;
        std::vector<std::string> chain;
        const char* root;
        const char* subject;
    };
    const Row rows[] = {
        {"rsa", {}, "rsa.pem", "Throwaway RSA publisher"},
        {"ec", {}, "ec.pem", "Throwaway EC publisher"},
        {"leaf", {"mid.pem"}, "root.pem", "Throwaway chained publisher"},
    };
    for (const Row& row : rows) {
        for (const Bytes& program : programs()) {
            SCOPED_TRACE(std::string(row.signer) + ", " + std::to_string(program.size()) +
                         " bytes");
            const SigningResult result = signProgram(program, request(row.signer, row.chain));
            ASSERT_TRUE(result.done) << result.problem;
            EXPECT_FALSE(result.replacedSignature);
            EXPECT_EQ(0u, result.file.size() % 8);
            EXPECT_TRUE(hasValidChecksum(result.file));
            std::string output;
            EXPECT_TRUE(verifies(result.file, row.root, output)) << output;
            EXPECT_NE(std::string::npos, output.find(row.subject)) << output;
            EXPECT_NE(std::string::npos, output.find("Signature verification: ok")) << output;
        }
    }
}

TEST_F(Signing, SigningTwiceGivesTheSameBytesAndReplacesASignature) {
    const Bytes program = smallProgram();
    const SigningResult first = signProgram(program, request("rsa"));
    ASSERT_TRUE(first.done) << first.problem;
    EXPECT_EQ(first.file, signProgram(program, request("rsa")).file);

    // Signed again, with another key: one signature only, the new one, and the program's
    // own bytes kept (its checksum aside).
    const SigningResult again = signProgram(first.file, request("leaf", {"mid.pem"}));
    ASSERT_TRUE(again.done) << again.problem;
    EXPECT_TRUE(again.replacedSignature);
    std::string output;
    EXPECT_TRUE(verifies(again.file, "root.pem", output)) << output;
    EXPECT_EQ(std::string::npos, output.find("Throwaway RSA publisher")) << output;
    const UnsignedImage stripped = unsignedImage(again.file);
    ASSERT_TRUE(stripped.valid);
    std::string problem;
    EXPECT_EQ(authenticodeImageHash(unsignedImage(program).file, problem),
              authenticodeImageHash(stripped.file, problem));

    // A byte changed after signing: the signature no longer holds.
    Bytes changed = first.file;
    changed[0x300] ^= 1;
    EXPECT_FALSE(verifies(changed, "rsa.pem", output)) << output;
}

TEST_F(Signing, BadInputIsRefusedWithItsCause) {
    const Bytes program = smallProgram();
    Bytes signedProgram = signProgram(program, request("rsa")).file;
    const auto cut = [](Bytes bytes, std::size_t size) {
        bytes.resize(size);
        return bytes;
    };
    const auto with = [&program](std::size_t offset, std::uint32_t value) {
        Bytes bytes = program;
        writeNumber(bytes, offset, 4, value);
        return bytes;
    };
    Bytes trailing = signedProgram;
    trailing.push_back(0);
    struct Row {
        const char* what;
        Bytes file;
        const char* problem;
    };
    const std::string text = "[autorun]\r\nopen=menu.exe\r\n";
    const Row rows[] = {
        {"a menu file", Bytes(text.begin(), text.end()), "not a Windows program (no MZ header)"},
        {"empty", {}, "not a Windows program (no MZ header)"},
        {"headers only", cut(program, 0x100), "not a Windows program (the optional header"},
        {"cut in a section", cut(program, 0x500), "it is cut short"},
        {"headers larger than the file", with(0x80 + 24 + 60, 0x10000), "headers end past"},
        {"section far away", with(0x80 + 24 + 96 + 128 + 20, 0xFFFFFFF0), "it is cut short"},
        {"table past the end", with(0x80 + 24 + 96 + 36, 0x7FFFFFFF), "past the end"},
        {"data after the table", trailing, "not at the end of the file"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        const SigningResult result = signProgram(row.file, request("rsa"));
        EXPECT_FALSE(result.done);
        EXPECT_NE(std::string::npos, result.problem.find(row.problem)) << result.problem;
        EXPECT_TRUE(result.file.empty());
    }

    // A key that cannot sign and a certificate that is not one.
    SigningRequest failing = request("rsa");
    failing.sign = [](const Bytes&, Bytes&, std::string& problem) {
        problem = "the token was removed";
        return false;
    };
    EXPECT_EQ("the token was removed", signProgram(program, failing).problem);
    SigningRequest garbage = request("rsa");
    garbage.certificates = {Bytes{0x30, 0x03, 0x02, 0x01, 0x01}};
    EXPECT_EQ("the signer's certificate cannot be read", signProgram(program, garbage).problem);
}

TEST_F(Signing, ReadsBackWhetherAProgramIsSignedAndByWhom) {
    const Bytes program = smallProgram();
    EXPECT_EQ(SignatureState::none, inspectSignature(program).state);
    const std::string text = "not a program";
    EXPECT_EQ(SignatureState::none, inspectSignature(Bytes(text.begin(), text.end())).state);

    const SigningResult chained = signProgram(program, request("leaf", {"mid.pem"}));
    ASSERT_TRUE(chained.done) << chained.problem;
    const SignatureFacts facts = inspectSignature(chained.file);
    EXPECT_EQ(SignatureState::intact, facts.state) << facts.problem;
    EXPECT_EQ("Throwaway chained publisher", facts.signer);

    Bytes changed = chained.file;
    changed[0x210] ^= 1;
    EXPECT_EQ(SignatureState::broken, inspectSignature(changed).state);
    EXPECT_NE(std::string::npos, inspectSignature(changed).problem.find("changed after"));
    Bytes garbled = chained.file;
    garbled[readPeHeader(garbled).certificateOffset + 9] ^= 0xFF;
    EXPECT_EQ(SignatureState::broken, inspectSignature(garbled).state);
    Bytes cut = chained.file;
    cut.resize(cut.size() - 16);
    EXPECT_EQ(SignatureState::broken, inspectSignature(cut).state);
}

TEST_F(Signing, TellsWhetherACertificateFileHoldsAKey) {
    EXPECT_TRUE(pfxHoldsKey(readFile(path("keyed.pfx"))));
    EXPECT_FALSE(pfxHoldsKey(readFile(path("keyless.pfx"))));
}

TEST(EcdsaSignature, RawHalvesBecomeDerIntegers) {
    EXPECT_EQ("3008020200FF02020100", hex(ecdsaSignatureDer({0x00, 0xFF, 0x01, 0x00})));
    EXPECT_EQ("3006020100020101", hex(ecdsaSignatureDer({0x00, 0x00, 0x00, 0x01})));
    EXPECT_TRUE(ecdsaSignatureDer({1, 2, 3}).empty());
}

}  // namespace
