#include "hostile_files.h"

#include <cstdint>

namespace {

std::string repeat(const std::string& text, std::size_t count) {
    std::string result;
    result.reserve(text.size() * count);
    for (std::size_t i = 0; i < count; ++i) result += text;
    return result;
}

// Bytes from a fixed linear congruential sequence: the same junk on every run.
std::string junk(std::size_t size) {
    std::string bytes(size, '\0');
    std::uint32_t state = 12345;
    for (char& byte : bytes) {
        state = state * 1103515245u + 12345u;
        byte = static_cast<char>(state >> 16);
    }
    return bytes;
}

const std::string kTitle = "[0]\r\nTitle=Hostile\r\nPrompt=Prompt\r\n";

}  // namespace

std::vector<HostileFile> hostileFiles() {
    std::string utf16 = "\xFF\xFE";
    for (char c : kTitle + "1=Entry|x.exe|||\r\n") utf16 += std::string(1, c) + '\0';
    std::string sections;
    for (int i = 0; i < 5000; ++i)
        sections += "[" + std::to_string(i % 40) + "]\r\nTitle=S" + std::to_string(i) + "\r\n";
    std::string nulls = kTitle + "1=Before\0after|x.exe|||\r\n2=\0\0\0\r\n";
    nulls.insert(nulls.size(), std::string("\0[0]\0Title=\0", 12));

    return {
        {"binary junk", junk(64 * 1024)},
        {"binary junk after a title", kTitle + junk(4096)},
        {"a 100 KB line", kTitle + "1=" + std::string(100 * 1024, 'x') + "\r\n"},
        {"thousands of sections", sections},
        {"no final newline", "[0]\r\nTitle=Hostile\r\n1=Entry|x.exe|||1"},
        {"NUL bytes", nulls},
        {"UTF-16 with a byte-order mark", utf16},
        {"title and prompt of 10,000 characters", "[0]\r\nTitle=" + std::string(10000, 'T') +
                                                      "\r\nPrompt=" + std::string(10000, 'P') +
                                                      "\r\n"},
        {"entry lines of 2,000 characters",
         kTitle + repeat("1=" + std::string(2000, 'c') + "|x|y|z|e|1\r\n", 1) + "2=a|" +
             std::string(2000, 'd') + "|||\r\n3=a|b|c|" + std::string(2000, 'e') + "|\r\n"},
        {"no separators", kTitle + "1=just a caption\r\n2=\r\n3=x\r\n"},
        {"only separators", kTitle + "1=|||||\r\n2=" + std::string(1000, '|') + "\r\n3=|\r\n"},
        {"every colour 99999",
         "[View]\r\nFontColor=99999\r\nFontActiveColor=99999\r\nFontCommentColor=99999\r\n"
         "BkCommentColor=99999\r\n" +
             kTitle + "1=Entry|x.exe|||\r\n"},
        {"sizes 2147483648 and -1", "[View]\r\nFontSize=2147483648\r\nFontCommentSize=-1\r\n" +
                                        kTitle + "1=Entry|x.exe|||\r\n"},
        {"huge but positive sizes", "[View]\r\nFontSize=2147483647\r\nFontCommentSize=100000\r\n" +
                                        kTitle + "1=Entry|x.exe|||\r\n"},
        {"numbers with 40 digits", "[View]\r\nShowNumbers=" + std::string(40, '9') +
                                       "\r\nFontSize=" + std::string(40, '7') +
                                       "\r\nFontColor=" + std::string(40, '1') + "\r\n" + kTitle +
                                       "1=Entry|x.exe|||" + std::string(40, '1') + "\r\n"},
        {"a comment that is one long word",
         kTitle + "1=Entry|x.exe||" + std::string(1000, 'w') + "|\r\n"},
        {"hundreds of line breaks", "[0]\r\nTitle=Hostile\r\nPrompt=" + repeat("\\n", 400) +
                                        "\r\n1=Entry|x.exe||" + repeat("\\n", 400) + "|" +
                                        repeat("\\n", 50) + "\r\n"},
        {"environment expanding to 30,000 characters",
         kTitle + "1=Entry|%HOSTILE_LONG%%HOSTILE_LONG%%HOSTILE_LONG%|%HOSTILE_LONG%%HOSTILE_LONG%%"
                  "HOSTILE_LONG%||\r\n"},
        {"a command of 1,000 characters",
         kTitle + "1=Entry|" + std::string(1000, 'c') + ".exe|||\r\n"},
        {"format specifiers everywhere",
         "[View]\r\nFontName=%s%n%x\r\n[0]\r\nTitle=%s%n%x%p\r\nPrompt=%s%s%s%n\r\n1=%s%n|%s%n|%s%"
         "n|%s%n|%s%n|%n\r\n"},
        {"double-byte lead bytes at the ends",
         "[0]\r\nTitle=\x83\r\nPrompt=\x83\r\n1=\x83|\x83|\x83|\x83|\x83|\x83\r\n"},
        {"an empty file", ""},
        {"keys without sections or values",
         "=\r\n==\r\n[\r\n]\r\n[]\r\n=x\r\nTitle=x\r\n1=a|b|c|d|e|1\r\n"},
    };
}
