// Images of table media read back by independent readers: xorriso extracts the tree, which
// must equal the medium byte for byte; isoinfo lists the Joliet names and tells the labels;
// isovfy checks the ISO 9660 structures.
// Each image is made twice and must come out the same. Skipped where the readers are
// missing (scripts/setup installs them).
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <set>

#include "medium_on_disk.h"
#include "publish/image_plan.h"

namespace fs = std::filesystem;

namespace {

constexpr std::int64_t kTime = 1765300000;  // 2025-12-09 17:06:40 UTC

struct MediumCase {
    const char* what;
    std::vector<MediumItem> items;
};

std::string repeated(const std::string& part, std::size_t count) {
    std::string text;
    for (std::size_t i = 0; i < count; ++i) text += part;
    return text;
}

std::vector<MediumCase> mediumCases() {
    return {
        {"nested and empty folders, empty files",
         {{"autorun.inf", 120},
          {"autorun-menu.exe", 5000},
          {"empty/"},
          {"docs/guide/deeper/still/notes.txt", 10},
          {"docs/guide/deeper/empty-too/"},
          {"docs/zero.bin", 0},
          {"zero", 0}}},
        {"files of several MB",
         {{"setup/big.cab", 5 * 1024 * 1024 + 3},
          {"setup/other.cab", 3 * 1024 * 1024},
          {"readme.txt", 2048}}},
        {"names in many scripts",
         {{"Документы/Прочти меня.txt", 100},
          {"Ελληνικά/Οδηγός.pdf", 300},
          {"日本語/説明書.txt", 2049},
          {"Français/Présentation été.doc", 77},
          {"Español/Año niño.txt", 1},
          {"mixed Ünïcödé ß name with spaces.longextension", 5}}},
        {"names at the limits",
         {{repeated("n", 64), 1},
          {repeated("d", 64) + "/" + repeated("f", 60) + ".txt", 3},
          {"1/2/3/4/5/6/7/deepest.txt", 4},
          {repeated("a", 60) + "/" + repeated("b", 60) + "/" + repeated("c", 60) + "/" +
               repeated("e", 60) + "/x.txt",
           2}}},
        {"names that share one ISO 9660 name",
         {{"LongFileName1.txt", 1},
          {"LongFileName2.txt", 2},
          {"LongFileName3.txt", 3},
          {"long file name.txt", 4},
          {"LongFi_1.txt", 5},
          {"Program Files/", 0},
          {"Program Files (x86)/a", 1},
          {"a.b.c.d", 6},
          {".hiddenstyle", 7}}},
        {"hidden files and folders",
         {{"autorun.inf", 50, true},
          {"autorun-menu.exe", 900},
          {"secret/", 0, true},
          {"secret/inside.txt", 5}}},
    };
}

class ImageReadback : public ::testing::Test {
protected:
    void SetUp() override {
        if (!hasProgram("xorriso") || !hasProgram("isoinfo") || !hasProgram("isovfy")) {
            GTEST_SKIP() << "xorriso, isoinfo or isovfy is missing (scripts/setup installs them)";
        }
    }
};

// Every file and folder below `root`, relative, with its bytes for files.
std::map<std::string, std::string> treeOf(const std::string& root) {
    std::map<std::string, std::string> tree;
    for (const auto& item : fs::recursive_directory_iterator(fs::u8path(root))) {
        const std::string relative = fs::relative(item.path(), fs::u8path(root)).u8string();
        tree[relative] = item.is_directory() ? "<folder>" : fileBytes(item.path().u8string());
    }
    return tree;
}

TEST_F(ImageReadback, TheReadersSeeTheMediumAsItIs) {
    for (const MediumCase& medium : mediumCases()) {
        SCOPED_TRACE(medium.what);
        TempFolder work;
        const std::string root = work.path() + "/medium";
        fs::create_directories(root);
        const ImageEntry tree = layOutMedium(root, medium.items, kTime);
        ImageOptions options;
        options.label = u"Test Disc";
        const ImagePlan plan = planImage(tree, options);
        ASSERT_TRUE(plan.writable())
            << plan.refusals.front().path << " " << plan.refusals.front().reason;

        const std::string first = work.path() + "/first.iso";
        const std::string second = work.path() + "/second.iso";
        ASSERT_EQ(writeImageFile(plan, first), "");
        ASSERT_EQ(writeImageFile(planImage(tree, options), second), "");
        EXPECT_EQ(fileBytes(first), fileBytes(second)) << "two runs gave different bytes";
        EXPECT_EQ(fs::file_size(first), plan.imageBytes());

        // isovfy (from genisoimage, like isoinfo) checks the ISO 9660 structures: the
        // descriptors, path tables and directory records. It lists each record whose flags
        // are other than a plain file's or folder's, so a hidden entry (flags 1 or 3) shows
        // up there instead of "No errors found"; anything else it lists is a fault.
        const std::string verified = runCommand("isovfy " + shellQuoted(first) + " 2>&1");
        const bool anyHidden = std::any_of(medium.items.begin(), medium.items.end(),
                                           [](const MediumItem& item) { return item.hidden; });
        if (!anyHidden) {
            EXPECT_NE(verified.find("No errors found"), std::string::npos) << verified;
        }
        std::size_t listed = 0;
        for (std::size_t at = verified.find("[0 0]\n"), end;
             at != std::string::npos && (end = verified.find('\n', at)) != std::string::npos;
             at = end + 1) {
            const std::string line = verified.substr(at, end - at);
            if (line == "[0 0]" || line == "No errors found") continue;
            ++listed;
            EXPECT_TRUE(line.find("Flags=(1)") != std::string::npos ||
                        line.find("Flags=(3)") != std::string::npos)
                << line;
        }
        const std::size_t hiddenCount =
            std::count_if(medium.items.begin(), medium.items.end(),
                          [](const MediumItem& item) { return item.hidden; });
        EXPECT_EQ(listed, hiddenCount) << verified;

        // xorriso reads the Joliet tree (no Rock Ridge here) and extracts it whole.
        const std::string out = work.path() + "/extracted";
        int status = 0;
        const std::string log = runCommand("xorriso -abort_on NEVER -return_with SORRY 32 -indev " +
                                               shellQuoted(first) + " -osirrox on -extract / " +
                                               shellQuoted(out) + " 2>&1",
                                           &status);
        ASSERT_EQ(status, 0) << log;
        // Extracted files come read-only; the comparison only reads them.
        EXPECT_EQ(treeOf(out), treeOf(root));

        // isoinfo lists the Joliet names as given. It converts them to one 8-bit character
        // set at a time, so the listing is taken in the sets of Western, Cyrillic and Greek
        // names; names in other scripts (Japanese) are checked by the extraction above.
        std::string listing;
        for (const char* charset : {"iso8859-1", "cp1251", "iso8859-7"}) {
            listing += runCommand("isoinfo -J -j " + std::string(charset) + " -l -i " +
                                      shellQuoted(first) + " | iconv -f " + charset + " -t UTF-8",
                                  &status);
            ASSERT_EQ(status, 0) << listing;
        }
        for (const MediumItem& item : medium.items) {
            std::string name = item.path;
            if (!name.empty() && name.back() == '/') name.pop_back();
            name = name.substr(name.rfind('/') + 1);
            // Characters from U+0800 on take three UTF-8 bytes, the first 0xE0 or more.
            const bool beyondEightBits = std::any_of(name.begin(), name.end(), [](char c) {
                return static_cast<unsigned char>(c) >= 0xE0;
            });
            if (beyondEightBits) continue;
            const std::size_t at = listing.find("  " + name + " \n");
            ASSERT_NE(at, std::string::npos) << name;
            // Each line shows "[ extent flags]" before the name: flags 01 (hidden) or 03 (a
            // hidden folder) for what the medium hides, 00 or 02 otherwise.
            const std::size_t flags = listing.rfind(']', at) - 2;
            const std::string flag = listing.substr(flags, 2);
            const bool isFolder = item.path.back() == '/';
            EXPECT_EQ(flag, item.hidden ? (isFolder ? "03" : "01") : (isFolder ? "02" : "00"))
                << name;
        }
    }
}

TEST_F(ImageReadback, EveryIsoNameIsUniqueAndPlain) {
    for (const MediumCase& medium : mediumCases()) {
        SCOPED_TRACE(medium.what);
        TempFolder work;
        const ImageEntry tree = layOutMedium(work.path(), medium.items, kTime);
        const ImagePlan plan = planImage(tree, {});
        ASSERT_TRUE(plan.writable());
        const std::string image = work.path() + "/image.iso";
        ASSERT_EQ(writeImageFile(plan, image), "");
        // isoinfo without -J reads the ISO 9660 tree: level 1 names, one of each per folder.
        int status = 0;
        const std::string listing =
            runCommand("isoinfo -f -i " + shellQuoted(image) + " 2>&1", &status);
        ASSERT_EQ(status, 0) << listing;
        std::set<std::string> seen;
        std::size_t lines = 0;
        for (std::size_t at = 0, end; (end = listing.find('\n', at)) != std::string::npos;
             at = end + 1) {
            const std::string path = listing.substr(at, end - at);
            ++lines;
            EXPECT_TRUE(seen.insert(path).second) << "twice: " << path;
            const std::string name = path.substr(path.rfind('/') + 1);
            const std::string bare = name.substr(0, name.find(';'));
            const std::size_t dot = bare.find('.');
            EXPECT_LE(bare.substr(0, dot).size(), 8u) << path;
            if (dot != std::string::npos) EXPECT_LE(bare.size() - dot - 1, 3u) << path;
            EXPECT_EQ(bare.find_first_not_of("ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789_."),
                      std::string::npos)
                << path;
        }
        EXPECT_EQ(lines, plan.nodes.size() - 1);
    }
}

TEST_F(ImageReadback, LabelsAreAsBothTreesHoldThem) {
    struct LabelCase {
        std::u16string wanted;
        const char* iso;
        const char* joliet;
        std::size_t losses;
    };
    const LabelCase cases[] = {
        {u"SAMPLE_DISC", "SAMPLE_DISC", "SAMPLE_DISC", 0},
        {u"Sample Disc", "SAMPLE_DISC", "Sample Disc", 2},
        {u"Диск с программой", "_________________", "Диск с программо", 2},
        {u"A label far longer than thirty-two characters", "A_LABEL_FAR_LONGER_THAN_THIRTY_T",
         "A label far long", 4},
    };
    for (const LabelCase& label : cases) {
        TempFolder work;
        const ImageEntry tree = layOutMedium(work.path(), {{"a.txt", 1}}, kTime);
        ImageOptions options;
        options.label = label.wanted;
        const ImagePlan plan = planImage(tree, options);
        EXPECT_EQ(plan.label.losses.size(), label.losses) << label.iso;
        const std::string image = work.path() + "/image.iso";
        ASSERT_EQ(writeImageFile(plan, image), "");
        const std::string primary = runCommand("isoinfo -d -i " + shellQuoted(image));
        // isoinfo tells the primary label only; the Joliet label is the volume identifier of
        // sector 17 (UCS-2, big-endian), read here with dd and iconv, trailing spaces dropped.
        const std::string joliet =
            "Volume id: " + runCommand("dd if=" + shellQuoted(image) +
                                       " bs=1 skip=34856 count=32 status=none | iconv -f "
                                       "UTF-16BE -t UTF-8 | sed 's/ *$//'");
        EXPECT_NE(primary.find("Volume id: " + std::string(label.iso) + "\n"), std::string::npos)
            << primary;
        EXPECT_EQ(joliet, "Volume id: " + std::string(label.joliet));
    }
}

}  // namespace
