// The names of an image: which Joliet names are refused and why, the ISO 9660 names made for
// each folder, letter case as Windows compares it, and volume labels.
#include "publish/image_names.h"

#include <gtest/gtest.h>

#include <set>

#include "publish/utf16_text.h"

namespace {

TEST(JolietNames, RefusedForWhatJolietOrWindowsCannotHold) {
    struct Case {
        std::u16string name;
        const char* problemPart;  // empty: the name is held
    };
    const Case cases[] = {
        {u"autorun.inf", ""},
        {u"Прочти меня.txt", ""},
        {u"説明書", ""},
        {u".hidden", ""},
        {std::u16string(64, u'x'), ""},
        {std::u16string(65, u'x'), "longer than 64"},
        {u"", "no name"},
        {u"..", "not a name"},
        {u"a*b", "\"*\""},
        {u"a/b", "\"/\""},
        {u"a:b", "\":\""},
        {u"a;1", "\";\""},
        {u"why?", "\"?\""},
        {u"a\\b", "\"\\\""},
        {u"a|b", "Windows cannot open"},
        {u"tab\there", "control character"},
        {u"smile\U0001F600", "outside UCS-2"},
        {u"trailing.", "ends in a dot"},
        {u"trailing ", "ends in a dot or a space"},
    };
    for (const Case& c : cases) {
        const std::string problem = jolietNameProblem(c.name);
        SCOPED_TRACE(utf8FromUtf16(c.name));
        if (std::string(c.problemPart).empty()) {
            EXPECT_EQ(problem, "");
        } else {
            EXPECT_NE(problem.find(c.problemPart), std::string::npos) << problem;
        }
    }
}

TEST(JolietNames, LetterCaseFoldsAsWindowsComparesNames) {
    const std::pair<std::u16string, std::u16string> same[] = {
        {u"ReadMe.TXT", u"readme.txt"}, {u"Ärger", u"äRGER"},
        {u"ДОКУМЕНТ", u"документ"},     {u"Ёлка", u"ёлка"},
        {u"ΟΔΗΓΟΣ", u"οδηγος"},         {u"Łódź", u"łÓDŹ"},
        {u"Ελλάδα", u"ΕΛΛΆΔΑ"},
    };
    for (const auto& [a, b] : same) EXPECT_EQ(foldedCase(a), foldedCase(b)) << utf8FromUtf16(a);
    const std::pair<std::u16string, std::u16string> different[] = {
        {u"a", u"b"},
        {u"е", u"ё"},
        {u"説明", u"説明書"},
        {u"1", u"!"},
    };
    for (const auto& [a, b] : different)
        EXPECT_NE(foldedCase(a), foldedCase(b)) << utf8FromUtf16(a);
}

TEST(IsoNames, PlainUniqueAndStable) {
    struct Case {
        std::vector<std::u16string> names;
        std::vector<bool> folders;
        std::vector<std::string> expected;
    };
    const Case cases[] = {
        {{u"autorun.inf", u"readme.txt", u"setup"},
         {false, false, true},
         {"AUTORUN.INF", "README.TXT", "SETUP"}},
        {{u"LongFileName1.txt", u"LongFileName2.txt", u"LongFileName3.txt"},
         {false, false, false},
         {"LONGFILE.TXT", "LONGFI_1.TXT", "LONGFI_2.TXT"}},
        {{u"LongFi_1.txt", u"LongFileName.txt", u"LongFileNameToo.txt"},
         {false, false, false},
         {"LONGFI_1.TXT", "LONGFILE.TXT", "LONGFI_2.TXT"}},
        {{u"Документы", u"日本", u".profile", u"a.b.c", u"x.html"},
         {true, true, false, false, false},
         {"________", "__", "_PROFILE.", "A_B.C", "X.HTM"}},
        {{u"Program Files", u"Program Files (x86)"}, {true, true}, {"PROGRAM_", "PROGRA_1"}},
        {{u"same", u"same.txt"}, {true, false}, {"SAME", "SAME.TXT"}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(isoNamesForFolder(c.names, c.folders), c.expected);
    }
}

TEST(IsoNames, ManyClashingNamesStayUniqueWithinEightCharacters) {
    std::vector<std::u16string> names;
    for (int i = 0; i < 1500; ++i)
        names.push_back(u"Дубликат " + utf16FromUtf8(std::to_string(i)) + u".txt");
    const std::vector<std::string> iso = isoNamesForFolder(names, std::vector<bool>(names.size()));
    const std::set<std::string> unique(iso.begin(), iso.end());
    EXPECT_EQ(unique.size(), names.size());
    for (const std::string& name : iso) EXPECT_LE(name.find('.'), 8u) << name;
}

TEST(VolumeLabels, SayWhatTheyLose) {
    struct Case {
        std::u16string wanted;
        const char* iso;
        std::u16string joliet;
        std::vector<const char*> lossParts;
    };
    const Case cases[] = {
        {u"SAMPLE_DISC", "SAMPLE_DISC", u"SAMPLE_DISC", {}},
        {u"", "CDROM", u"CDROM", {}},
        {u"Sample", "SAMPLE", u"Sample", {"capitals"}},
        {u"MY DISC", "MY_DISC", u"MY DISC", {"\"_\""}},
        {u"ABCDEFGHIJKLMNOPQR", "ABCDEFGHIJKLMNOPQR", u"ABCDEFGHIJKLMNOP", {"first 16"}},
        {u"Disc: one?", "DISC__ONE_", u"Disc_ one_", {"capitals", "A-Z", "Joliet cannot hold"}},
        {std::u16string(40, u'A'),
         "AAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAA",
         std::u16string(16, u'A'),
         {"first 32", "first 16"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(utf8FromUtf16(c.wanted));
        const VolumeLabel label = volumeLabel(c.wanted);
        EXPECT_EQ(label.iso, c.iso);
        EXPECT_EQ(label.joliet, c.joliet);
        ASSERT_EQ(label.losses.size(), c.lossParts.size());
        for (std::size_t i = 0; i < c.lossParts.size(); ++i) {
            EXPECT_NE(label.losses[i].find(c.lossParts[i]), std::string::npos) << label.losses[i];
        }
    }
}

}  // namespace
