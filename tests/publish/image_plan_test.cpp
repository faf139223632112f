// What the image refuses (each thing named with its path), and how writing fails: a file
// that changed since it was listed, one that cannot be read, a sink that stops.
#include "publish/image_plan.h"

#include <gtest/gtest.h>

#include <map>

#include "publish/image_writer.h"
#include "publish/iso_fields.h"
#include "publish/utf16_text.h"

namespace {

ImageEntry tree(std::vector<ImageEntry> children) {
    ImageEntry root;
    root.folder = true;
    root.children = std::move(children);
    return root;
}

ImageEntry folder(const std::string& name, std::vector<ImageEntry> children) {
    ImageEntry entry = folderEntry(name);
    entry.children = std::move(children);
    return entry;
}

ImageEntry nested(int depth, ImageEntry innermost) {
    for (int i = depth; i >= 1; --i) innermost = folder("d" + std::to_string(i), {innermost});
    return innermost;
}

TEST(ImagePlan, RefusesMoreFoldersThanThePathTablesNumber) {
    std::vector<ImageEntry> folders(kFolderCountLimit - 1, folderEntry(""));
    for (std::size_t i = 0; i < folders.size(); ++i) {
        folders[i].name = utf16FromUtf8("f" + std::to_string(i));
    }
    ImageEntry root = tree(folders);
    EXPECT_TRUE(planImage(root, {}).writable()) << "65,535 with the root";
    root.children.push_back(folderEntry("one more"));
    const ImagePlan plan = planImage(root, {});
    ASSERT_EQ(plan.refusals.size(), 1u);
    EXPECT_NE(plan.refusals[0].reason.find("65536 folders"), std::string::npos);
}

TEST(ImagePlan, RefusesWhatTheImageCannotHoldNamingEachPath) {
    struct Case {
        const char* what;
        ImageEntry root;
        std::vector<std::pair<std::string, std::string>> refused;  // path, part of the reason
    };
    const std::string longName(64, 'n');
    const Case cases[] = {
        {"a file of 4 GiB",
         tree({fileEntry("small.bin", 10, ""), fileEntry("huge.bin", 0x100000000ull, ""),
               fileEntry("just under.bin", 0xFFFFFFFFull, "")}),
         {{"huge.bin", "less than 4 GiB"}}},
        {"names that differ only in case",
         tree({fileEntry("ReadMe.txt", 1, ""), fileEntry("README.TXT", 1, ""),
               folder("Docs", {fileEntry("Файл", 1, ""), fileEntry("ФАЙЛ", 1, "")}),
               fileEntry("docs", 1, "")}),
         {{"README.TXT", "\"ReadMe.txt\""}, {"Docs\\ФАЙЛ", "\"Файл\""}, {"docs", "\"Docs\""}}},
        {"names over the limits",
         tree({fileEntry(longName, 1, ""), fileEntry(longName + "x", 1, ""),
               folder("bad:folder", {fileEntry("inside", 1, "")}),
               folder("ok", {fileEntry("what?.txt", 1, "")})}),
         {{longName + "x", "longer than 64"}, {"bad:folder", "\":\""}, {"ok\\what?.txt", "\"?\""}}},
        {"folders deeper than eight levels",
         tree({nested(7, fileEntry("deepest.txt", 1, "")),
               folder("x", {nested(8, fileEntry("too deep.txt", 1, ""))})}),
         {{"x\\d1\\d2\\d3\\d4\\d5\\d6\\d7", "8 levels below the root"}}},
        {"paths longer than Windows opens",
         tree({folder(
             longName,
             {folder(longName, {folder(longName, {fileEntry(std::string(60, 'f'), 1, ""),
                                                  fileEntry(std::string(62, 'g'), 1, "")})})})}),
         {{longName + "\\" + longName + "\\" + longName + "\\" + std::string(62, 'g'),
           "257 characters"}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const ImagePlan plan = planImage(c.root, {});
        ASSERT_EQ(plan.refusals.size(), c.refused.size()) << plan.refusals.front().reason;
        for (std::size_t i = 0; i < c.refused.size(); ++i) {
            EXPECT_EQ(plan.refusals[i].path, c.refused[i].first);
            EXPECT_NE(plan.refusals[i].reason.find(c.refused[i].second), std::string::npos)
                << plan.refusals[i].reason;
        }
    }
}

// A reader of made-up files: each file's source tells how many bytes it really has, and
// "unreadable" cannot be read.
FileReader madeUpReader() {
    return [](const ImageEntry& file,
              const std::function<bool(const std::uint8_t*, std::size_t)>& deliver,
              std::string& problem) {
        if (file.source == "unreadable") {
            problem = "cannot be read: the device is not ready";
            return false;
        }
        const std::size_t size = std::stoul(file.source);
        std::vector<std::uint8_t> bytes(size, 0x5A);
        return deliver(bytes.data(), bytes.size());
    };
}

TEST(ImageWriter, FailsRatherThanWriteAWrongImage) {
    struct Case {
        const char* what;
        ImageEntry root;
        std::size_t sinkLimit;  // the sink refuses after this many bytes
        const char* problemPart;
    };
    const Case cases[] = {
        {"all well", tree({fileEntry("a.txt", 5000, "5000")}), SIZE_MAX, ""},
        {"a file grew", tree({folder("f", {fileEntry("a.txt", 5000, "5001")})}), SIZE_MAX,
         "f\\a.txt: the file changed"},
        {"a file shrank", tree({fileEntry("a.txt", 5000, "4999")}), SIZE_MAX,
         "a.txt: the file changed"},
        {"a file cannot be read", tree({fileEntry("b.txt", 10, "unreadable")}), SIZE_MAX,
         "b.txt: cannot be read: the device is not ready"},
        {"the disk fills up", tree({fileEntry("c.txt", 3u << 20, std::to_string(3u << 20))}),
         1u << 20, "could not be written"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const ImagePlan plan = planImage(c.root, {});
        ASSERT_TRUE(plan.writable());
        std::size_t written = 0;
        std::string problem;
        const bool ok = writeImage(
            plan, madeUpReader(),
            [&](const std::uint8_t*, std::size_t size) {
                written += size;
                return written <= c.sinkLimit;
            },
            problem);
        EXPECT_EQ(ok, std::string(c.problemPart).empty());
        EXPECT_NE(problem.find(c.problemPart), std::string::npos) << problem;
        if (ok) {
            EXPECT_EQ(written, plan.imageBytes());
        }
    }
}

// The image's bytes in memory, for looking at single fields.
std::vector<std::uint8_t> imageBytes(const ImagePlan& plan) {
    std::vector<std::uint8_t> image;
    std::string problem;
    writeImage(
        plan, madeUpReader(),
        [&](const std::uint8_t* bytes, std::size_t size) {
            image.insert(image.end(), bytes, bytes + size);
            return true;
        },
        problem);
    return image;
}

TEST(ImageWriter, TimesAreTheFilesOwnOrOneFixedTime) {
    ImageEntry file = fileEntry("a.txt", 1, "1");
    file.time = 1000000000;  // 2001-09-09 01:46:40 UTC
    ImageEntry root = tree({file});
    root.time = 1700000000;  // 2023-11-14 22:13:20 UTC

    // The volume takes the newest time, the file its own.
    const std::vector<std::uint8_t> own = imageBytes(planImage(root, {}));
    ASSERT_GT(own.size(), 16u * 2048 + 830);
    EXPECT_EQ(std::string(own.begin() + 16 * 2048 + 813, own.begin() + 16 * 2048 + 829),
              "2023111422132000");

    ImageOptions fixed;
    fixed.fixedTime = true;
    fixed.time = 1765300000;  // 2025-12-09 17:06:40 UTC
    const std::vector<std::uint8_t> image = imageBytes(planImage(root, fixed));
    EXPECT_EQ(std::string(image.begin() + 16 * 2048 + 813, image.begin() + 16 * 2048 + 829),
              "2025120917064000");
    EXPECT_EQ(std::string(image.begin() + 17 * 2048 + 830, image.begin() + 17 * 2048 + 846),
              "2025120917064000");
    root.children[0].time = 5;
    EXPECT_EQ(imageBytes(planImage(root, fixed)), image) << "a fixed time ignores the files'";
}

TEST(IsoFields, CalendarTimesCoverWhatARecordHolds) {
    struct Case {
        std::int64_t seconds;
        CalendarTime expected;
    };
    const Case cases[] = {
        {0, {1970, 1, 1, 0, 0, 0}},
        {951782400, {2000, 2, 29, 0, 0, 0}},
        {1765300000, {2025, 12, 9, 17, 6, 40}},
        {-1, {1969, 12, 31, 23, 59, 59}},
        {-5000000000, {1900, 1, 1, 0, 0, 0}},
        {9000000000, {2155, 12, 31, 23, 59, 59}},
    };
    for (const Case& c : cases) {
        const CalendarTime t = calendarTime(c.seconds);
        EXPECT_EQ(std::vector<int>({t.year, t.month, t.day, t.hour, t.minute, t.second}),
                  std::vector<int>({c.expected.year, c.expected.month, c.expected.day,
                                    c.expected.hour, c.expected.minute, c.expected.second}))
            << c.seconds;
    }
}

}  // namespace
