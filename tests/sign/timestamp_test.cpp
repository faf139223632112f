// RFC 3161 time stamps: the request answered by `openssl ts -reply` with a throwaway
// time-stamp authority, the token taken from the answer, a time-stamped program verifying
// with osslsigncode, and the answers that must be refused.
#include "sign/timestamp.h"

#include <gtest/gtest.h>

#include <string>

#include "openssl_signer.h"
#include "sign/der.h"

namespace {

class Timestamp : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        char pattern[] = "/tmp/timestamp-test-XXXXXX";
        ASSERT_NE(nullptr, mkdtemp(pattern));
        folder_ = pattern;
        const std::string script =
            "cd " + folder_ +
            " && openssl req -x509 -newkey rsa:2048 -nodes -keyout tsa.key -out tsa.pem -days 2"
            " -subj '/CN=Throwaway time stamps' -addext extendedKeyUsage=critical,timeStamping"
            " && openssl req -x509 -newkey rsa:2048 -nodes -keyout rsa.key -out rsa.pem -days 2"
            " -subj '/CN=Throwaway publisher' -addext extendedKeyUsage=codeSigning"
            " && printf '01\\n' >serial"
            " && printf '[tsa]\\ndefault_tsa=here\\n[here]\\nserial=serial\\nsigner_cert=tsa.pem\\n"
            "signer_key=tsa.key\\nsigner_digest=sha256\\ndefault_policy=1.2.3.4.1\\n"
            "digests=sha256\\ness_cert_id_alg=sha256\\n' >ts.cnf";
        std::string output;
        ASSERT_TRUE(runCommand(script, output)) << output;
    }
    static void TearDownTestSuite() {
        std::string output;
        runCommand("rm -rf " + folder_, output);
    }

    // The authority's answer to `request`, made by openssl.
    static Bytes answer(const Bytes& request) {
        writeFile(folder_ + "/request.tsq", request);
        std::string output;
        EXPECT_TRUE(runCommand("cd " + folder_ +
                                   " && openssl ts -reply -config ts.cnf -queryfile request.tsq"
                                   " -out answer.tsr",
                               output))
            << output;
        return readFile(folder_ + "/answer.tsr");
    }

    static std::string folder_;
};
std::string Timestamp::folder_;

TEST_F(Timestamp, TheAuthoritysTokenStampsTheSignature) {
    const Bytes signature(256, 0x5A);
    Bytes token;
    std::string problem;
    ASSERT_TRUE(timestampToken(answer(timestampRequest(signature)), signature, token, problem))
        << problem;
    der::Item item;
    ASSERT_TRUE(der::read(token, 0, token.size(), item));
    EXPECT_EQ(token.size(), item.end);

    // The answer for one signature does not stamp another.
    const Bytes other(256, 0xA5);
    EXPECT_FALSE(timestampToken(answer(timestampRequest(signature)), other, token, problem));
    EXPECT_NE(std::string::npos, problem.find("something other than this signature"));
}

TEST_F(Timestamp, ATimeStampedProgramVerifies) {
    // The program osslsigncode itself verifies against: Wine's, where installed.
    const Bytes program = readFile("/usr/lib/x86_64-linux-gnu/wine/x86_64-windows/hostname.exe");
    if (program.empty()) GTEST_SKIP() << "no Windows program to sign here";
    SigningRequest request;
    request.certificates = {certificateDer(folder_ + "/rsa.pem")};
    request.sign = opensslSigner(folder_ + "/rsa.key");
    request.timestamp = [](const Bytes& signature, Bytes& token, std::string& problem) {
        return timestampToken(answer(timestampRequest(signature)), signature, token, problem);
    };
    const SigningResult result = signProgram(program, request);
    ASSERT_TRUE(result.done) << result.problem;
    writeFile(folder_ + "/stamped.exe", result.file);
    std::string output;
    EXPECT_TRUE(runCommand("osslsigncode verify -in " + folder_ + "/stamped.exe -CAfile " +
                               folder_ + "/rsa.pem -TSA-CAfile " + folder_ + "/tsa.pem",
                           output))
        << output;
    EXPECT_NE(std::string::npos, output.find("Timestamp Server Signature verification: ok"))
        << output;
}

TEST(TimestampAnswer, RefusalsAndGarbageAreRefusedWithTheirCause) {
    const Bytes signature(64, 1);
    const Bytes statusText = der::value(0x0C, Bytes{'b', 'a', 'd', ' ', 'd', 'i', 'g'});
    struct Row {
        const char* what;
        Bytes answer;
        const char* problem;
    };
    const Row rows[] = {
        {"an HTML page", Bytes{'<', 'h', 't', 'm', 'l', '>'}, "not a time stamp"},
        {"empty", {}, "not a time stamp"},
        {"rejection with text",
         der::sequence({der::sequence({der::integer(2), der::sequence({statusText})})}),
         "refused (status 2): bad dig"},
        {"granted without a token", der::sequence({der::sequence({der::integer(0)})}), "sent none"},
        {"a token of something else",
         der::sequence({der::sequence({der::integer(0)}), der::sequence({der::integer(1)})}),
         "something other than this signature"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        Bytes token;
        std::string problem;
        EXPECT_FALSE(timestampToken(row.answer, signature, token, problem));
        EXPECT_NE(std::string::npos, problem.find(row.problem)) << problem;
        EXPECT_TRUE(token.empty());
    }
}

}  // namespace
