// The built publish tool run as a process, as authors run it, on the sample medium (the
// sample's autorun.inf and readme beside the built menu): the image it writes, the copy it
// makes, and each refusal with its exit code, leaving nothing behind.
#include <windows.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "built_program.h"
#include "console_tool.h"
#include "test_files.h"

namespace {

std::string toolPath() {
    const std::string path = testProgramFolder() + AUTORUN_MENU_PUBLISH_TOOL;
    char full[MAX_PATH];
    GetFullPathNameA(path.c_str(), sizeof full, full, nullptr);
    return full;
}

// `path` in quotes, without a final backslash, which would escape the closing quote.
std::string quoted(std::string path) {
    if (!path.empty() && path.back() == '\\') path.pop_back();
    return "\"" + path + "\"";
}

// The sample medium laid out in `folder`.
void layOutSample(const TempFolder& folder) {
    const std::string sample = testProgramFolder() + AUTORUN_MENU_SAMPLE;
    writeWholeFile(folder.path() + "autorun.inf", readWholeFile(sample + "autorun.inf"));
    writeWholeFile(folder.path() + "readme.txt", readWholeFile(sample + "readme.txt"));
    ASSERT_TRUE(copyProgram(builtProgramPath(), folder.path() + "autorun-menu.exe"));
}

bool fileExists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// The names in `folder`.
std::vector<std::string> namesIn(const std::string& folder) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
        const std::string name = found.cFileName;
        if (name != "." && name != "..") names.push_back(name);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return names;
}

// A little-endian 32-bit number at `at` of `bytes`.
unsigned long numberAt(const std::string& bytes, std::size_t at) {
    unsigned long value = 0;
    for (int i = 3; i >= 0; --i) value = (value << 8) | static_cast<unsigned char>(bytes[at + i]);
    return value;
}

TEST(PublishTool, WritesTheSampleAsAnImageTheSameEveryTime) {
    TempFolder medium;
    layOutSample(medium);
    TempFolder out;
    const std::string image = out.path() + "sample.iso";
    const ToolRun run = runConsoleTool(
        toolPath(), quoted(medium.path()) + " " + quoted(image) + " --time 2026-12-09");
    ASSERT_EQ(run.exitCode, 0u) << run.output;
    // The sample's menu is the build's own, unsigned, which the checker warns about.
    EXPECT_NE(run.output.find("the checker found 0 errors and 1 warning"), std::string::npos)
        << run.output;
    EXPECT_NE(run.output.find("CD (700 MB): fits"), std::string::npos) << run.output;

    const std::string bytes = readWholeFile(image);
    ASSERT_GT(bytes.size(), 19u * 2048);
    // The primary descriptor, the Joliet one (UCS-2 level 3) and the terminator.
    EXPECT_EQ(bytes.substr(16 * 2048, 6), "\1CD001");
    EXPECT_EQ(bytes.substr(17 * 2048, 6), "\2CD001");
    EXPECT_EQ(bytes.substr(17 * 2048 + 88, 3), "%/E");
    EXPECT_EQ(bytes.substr(18 * 2048, 6), std::string("\xff"
                                                      "CD001"));
    EXPECT_EQ(numberAt(bytes, 16 * 2048 + 80) * 2048, bytes.size());
    EXPECT_EQ(bytes.substr(16 * 2048 + 40, 12), "SAMPLE_DISC ");
    // The Joliet label keeps the case of [autorun] label=.
    EXPECT_EQ(bytes.substr(17 * 2048 + 40, 6), std::string("\0S\0a\0m", 6));
    // The menu program's bytes are in the image as they are on the medium.
    EXPECT_NE(bytes.find(readWholeFile(medium.path() + "autorun-menu.exe")), std::string::npos);
    EXPECT_EQ(namesIn(out.path()), std::vector<std::string>{"sample.iso"});

    const std::string again = out.path() + "again.iso";
    ASSERT_EQ(runConsoleTool(toolPath(),
                             quoted(medium.path()) + " " + quoted(again) + " --time 2026-12-09")
                  .exitCode,
              0u);
    EXPECT_EQ(readWholeFile(again), bytes);
}

TEST(PublishTool, RefusesWithExitCodeTwoAndWritesNothing) {
    TempFolder medium;
    layOutSample(medium);
    TempFolder broken;  // a medium without autorun.inf: the checker's error
    broken.write("readme.txt", "text");
    TempFolder unholdable;  // a name longer than a Joliet name
    layOutSample(unholdable);
    unholdable.write(std::string(70, 'n') + ".txt", "x");
    TempFolder out;
    const std::string image = out.path() + "out.iso";
    struct Case {
        const char* what;
        std::string arguments;
        const char* messagePart;
    };
    const Case cases[] = {
        {"no image named", quoted(medium.path()), "no image"},
        {"an unknown option", quoted(medium.path()) + " " + quoted(image) + " --fast",
         "unknown option"},
        {"a medium the checker rejects", quoted(broken.path()) + " " + quoted(image),
         "--force publishes anyway"},
        {"a name the image cannot hold", quoted(unholdable.path()) + " " + quoted(image),
         "longer than 64 characters"},
        {"an image inside the medium",
         quoted(medium.path()) + " " + quoted(medium.path() + "self.iso"), "lies within"},
        {"a copy to a folder that holds files",
         quoted(medium.path()) + " --to " + quoted(broken.path()), "--allow-nonempty"},
        {"a copy that would replace a file",
         quoted(medium.path()) + " --to " + quoted(unholdable.path()) + " --allow-nonempty",
         "never replaced"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const ToolRun run = runConsoleTool(toolPath(), c.arguments);
        EXPECT_EQ(run.exitCode, 2u) << run.output;
        EXPECT_NE(run.output.find(c.messagePart), std::string::npos) << run.output;
        EXPECT_TRUE(namesIn(out.path()).empty());
        EXPECT_FALSE(fileExists(medium.path() + "self.iso"));
    }
    EXPECT_EQ(readWholeFile(unholdable.path() + "readme.txt"),
              readWholeFile(medium.path() + "readme.txt"));
    EXPECT_EQ(namesIn(broken.path()), std::vector<std::string>{"readme.txt"});

    // The author insists: the checker's verdict is printed with the image.
    const ToolRun forced =
        runConsoleTool(toolPath(), quoted(broken.path()) + " " + quoted(image) + " --force");
    EXPECT_EQ(forced.exitCode, 0u) << forced.output;
    EXPECT_NE(forced.output.find("the checker found 1 error"), std::string::npos) << forced.output;
    EXPECT_TRUE(fileExists(image));
}

TEST(PublishTool, CopiesTheMediumToAFolderVerified) {
    TempFolder medium;
    layOutSample(medium);
    CreateDirectoryA((medium.path() + "docs").c_str(), nullptr);
    writeWholeFile(medium.path() + "docs\\hidden.txt", "hidden");
    SetFileAttributesA((medium.path() + "docs\\hidden.txt").c_str(), FILE_ATTRIBUTE_HIDDEN);
    TempFolder out;
    const std::string target = out.path() + "stick\\";
    const ToolRun run =
        runConsoleTool(toolPath(), quoted(medium.path()) + " --to " + quoted(target));
    ASSERT_EQ(run.exitCode, 0u) << run.output;
    EXPECT_NE(run.output.find("Copied 4 files"), std::string::npos) << run.output;
    EXPECT_NE(run.output.find("no drive label set"), std::string::npos) << run.output;
    for (const char* name : {"autorun.inf", "readme.txt", "autorun-menu.exe", "docs\\hidden.txt"}) {
        EXPECT_EQ(readWholeFile(target + name), readWholeFile(medium.path() + name)) << name;
    }
    const DWORD attributes = GetFileAttributesA((target + "docs\\hidden.txt").c_str());
    EXPECT_NE(attributes & FILE_ATTRIBUTE_HIDDEN, 0u);
}

// Names in other scripts reach the image's Joliet tree and the copy as they are: the tool
// reads the medium through wide calls whatever the system's code page.
TEST(PublishTool, KeepsNamesInEveryScript) {
    TempFolder medium;
    layOutSample(medium);
    const std::wstring folder = std::wstring(medium.path().begin(), medium.path().end());
    const std::wstring names[] = {L"\u0414\u043e\u043a\u0443\u043c\u0435\u043d\u0442\u044b",
                                  L"\u8aac\u660e\u66f8.txt"};  // Документы, 説明書.txt
    ASSERT_TRUE(CreateDirectoryW((folder + names[0]).c_str(), nullptr));
    HANDLE file = CreateFileW((folder + names[0] + L"\\" + names[1]).c_str(), GENERIC_WRITE, 0,
                              nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    WriteFile(file, "text", 4, &written, nullptr);
    CloseHandle(file);

    TempFolder out;
    const std::string image = out.path() + "names.iso";
    const ToolRun run = runConsoleTool(toolPath(), quoted(medium.path()) + " " + quoted(image));
    ASSERT_EQ(run.exitCode, 0u) << run.output;
    const std::string bytes = readWholeFile(image);
    for (const std::wstring& name : names) {
        std::string ucs2;  // big-endian, as Joliet records names
        for (wchar_t c : name) {
            ucs2.push_back(static_cast<char>(c >> 8));
            ucs2.push_back(static_cast<char>(c & 0xFF));
        }
        EXPECT_NE(bytes.find(ucs2), std::string::npos);
    }

    const ToolRun copy =
        runConsoleTool(toolPath(), quoted(medium.path()) + " --to " + quoted(out.path() + "copy"));
    ASSERT_EQ(copy.exitCode, 0u) << copy.output;
    const std::wstring copied = std::wstring(out.path().begin(), out.path().end()) + L"copy\\" +
                                names[0] + L"\\" + names[1];
    WIN32_FILE_ATTRIBUTE_DATA data;
    ASSERT_TRUE(GetFileAttributesExW(copied.c_str(), GetFileExInfoStandard, &data));
    EXPECT_EQ(data.nFileSizeLow, 4u);
}

}  // namespace
