// The built brand tool run as a process on the built menu: what the branded copy holds,
// what the running copy shows, and the inputs it refuses without writing anything.
#include <windows.h>
#include <gtest/gtest.h>
#include <imagehlp.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "branded_files.h"
#include "built_program.h"
#include "console_tool.h"
#include "menu_window.h"
#include "resources/resource_ids.h"
#include "running_program.h"
#include "test_files.h"

namespace {

std::string fullPath(const std::string& path) {
    char full[MAX_PATH];
    const DWORD length = GetFullPathNameA(path.c_str(), sizeof full, full, nullptr);
    return std::string(full, length);
}
std::string toolPath() { return fullPath(testProgramFolder() + AUTORUN_MENU_BRAND_TOOL); }
std::string image(const std::string& name) {
    return fullPath(testProgramFolder() + AUTORUN_MENU_BRAND_IMAGES + "\\" + name);
}
std::string menuIcon() { return fullPath(testProgramFolder() + AUTORUN_MENU_BRAND_ICON); }

// Runs the tool (the built one unless `tool` names a copy) with `arguments` in the current
// folder `folder` (the test's own when empty) and collects what it prints.
ToolRun runTool(const std::string& arguments, const std::string& tool = toolPath(),
                const std::string& folder = std::string()) {
    return runConsoleTool(tool, arguments, folder);
}

std::string quoted(const std::string& path) { return "\"" + path + "\""; }

// One resource of the program at `path`, empty when missing.
std::string resourceOf(const std::string& path, LPCSTR type, WORD name) {
    HMODULE module = LoadLibraryExA(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (module == nullptr) return {};
    std::string data;
    if (HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(name), type)) {
        const char* bytes = static_cast<const char*>(LockResource(LoadResource(module, found)));
        if (bytes != nullptr) data.assign(bytes, SizeofResource(module, found));
    }
    FreeLibrary(module);
    return data;
}

struct Headers {
    std::uint16_t characteristics = 0;
    std::uint16_t dllCharacteristics = 0;
    std::uint32_t certificateSize = 0;
    bool checkSumValid = false;
};

Headers headersOf(const std::string& file) {
    Headers headers;
    const std::size_t pe = number(file, 0x3C, 4);
    const std::size_t optional = pe + 24;
    const bool wide = number(file, optional, 2) == 0x20B;
    headers.characteristics = static_cast<std::uint16_t>(number(file, pe + 22, 2));
    headers.dllCharacteristics = static_cast<std::uint16_t>(number(file, optional + 70, 2));
    headers.certificateSize = number(file, optional + (wide ? 112 : 96) + 4 * 8 + 4, 4);
    DWORD stored = 0;
    DWORD computed = 0;
    std::string copy = file;
    headers.checkSumValid = CheckSumMappedFile(&copy[0], static_cast<DWORD>(copy.size()), &stored,
                                               &computed) != nullptr &&
                            stored == computed && stored != 0;
    return headers;
}

}  // namespace

// Each kind of input the tool takes: the output keeps the input's header flags, has no
// signature and a valid checksum; a signed input says so and gives the same bytes as the
// unsigned one.
TEST(BrandedProgram, KeepsTheFlagsDropsTheSignatureAndHasAValidChecksum) {
    TempFolder folder;
    const std::string menu = readWholeFile(builtProgramPath());
    ASSERT_FALSE(menu.empty());
    std::string swapFlags = menu;
    const std::size_t pe = number(menu, 0x3C, 4);
    // IMAGE_FILE_REMOVABLE_RUN_FROM_SWAP | IMAGE_FILE_NET_RUN_FROM_SWAP
    put(swapFlags, pe + 22, 2, number(menu, pe + 22, 2) | 0x0C00);
    const struct {
        const char* what;
        std::string input;
        bool sameAsPlain;
        const char* says;
    } cases[] = {
        {"the built menu", menu, true, "wrote"},
        {"a signed menu", signedCopy(menu), true, "Sign"},
        {"a menu signed twice", signedCopy(menu, 2), true, "Sign"},
        {"run-from-swap flags", swapFlags, false, "wrote"},
    };
    std::string plain;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string input = folder.write("input.exe", c.input);
        const std::string output = folder.path() + "output.exe";
        const ToolRun run = runTool("--picture " + quoted(image("two-halves.png")) + " " +
                                    quoted(input) + " " + quoted(output));
        ASSERT_EQ(0u, run.exitCode) << run.output;
        EXPECT_NE(std::string::npos, run.output.find(c.says)) << run.output;
        const std::string branded = readWholeFile(output);
        const Headers in = headersOf(c.input);
        const Headers out = headersOf(branded);
        EXPECT_EQ(in.characteristics, out.characteristics);
        EXPECT_EQ(in.dllCharacteristics, out.dllCharacteristics);
        EXPECT_EQ(0u, out.certificateSize);
        EXPECT_TRUE(out.checkSumValid);
        if (plain.empty()) plain = branded;
        if (c.sameAsPlain) {
            EXPECT_TRUE(plain == branded) << "the output differs from the plain menu's";
        }
        EXPECT_EQ(c.input, readWholeFile(input)) << "the input changed";
    }
}

// The names given replace the menu's in the version block, the numbers stay; the icon
// comes from an icon file as it is, or is made from a square picture; without a picture
// the menu's own stays.
TEST(BrandedProgram, CarriesTheNamesAndIconGiven) {
    TempFolder folder;
    const std::string names =
        " --company \"Example Ltd\" --product \"Example Disc\" --description \"Example's start-up "
        "menu\""
        " --copyright \"(c) 2026 Example Ltd\" ";
    const struct {
        const char* what;
        std::string icon;
        std::string picture;
    } cases[] = {
        {"an icon file, no picture", menuIcon(), ""},
        {"a square picture", image("square.png"), " --picture " + quoted(image("two-halves.png"))},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string output = folder.path() + "branded.exe";
        const ToolRun run = runTool("--icon " + quoted(c.icon) + c.picture + names +
                                    quoted(builtProgramPath()) + " " + quoted(output));
        ASSERT_EQ(0u, run.exitCode) << run.output;
        EXPECT_EQ(c.picture.empty(), resourceOf(output, RT_BITMAP, IDB_BACKGROUND) ==
                                         resourceOf(builtProgramPath(), RT_BITMAP, IDB_BACKGROUND));
        EXPECT_EQ("Example Ltd", versionText(output, "CompanyName"));
        EXPECT_EQ("Example Disc", versionText(output, "ProductName"));
        EXPECT_EQ("Example's start-up menu", versionText(output, "FileDescription"));
        EXPECT_EQ("(c) 2026 Example Ltd", versionText(output, "LegalCopyright"));
        EXPECT_EQ(versionText(builtProgramPath(), "FileVersion"),
                  versionText(output, "FileVersion"));
        EXPECT_EQ("autorun-menu", versionText(output, "InternalName"));

        // The group lists icons of 16 and 32 pixels at least, each present in the program.
        const std::string group = resourceOf(output, RT_GROUP_ICON, IDI_MENU);
        ASSERT_GE(group.size(), 6u);
        const std::size_t count = number(group, 4, 2);
        bool has16 = false;
        bool has32 = false;
        for (std::size_t i = 0; i < count; ++i) {
            const std::size_t entry = 6 + 14 * i;
            has16 = has16 || static_cast<unsigned char>(group.at(entry)) == 16;
            has32 = has32 || static_cast<unsigned char>(group.at(entry)) == 32;
            const std::string icon =
                resourceOf(output, RT_ICON, static_cast<WORD>(number(group, entry + 12, 2)));
            EXPECT_EQ(number(group, entry + 8, 4), icon.size()) << "icon " << i;
        }
        EXPECT_TRUE(has16 && has32);
        if (c.icon == menuIcon()) {
            const std::string file = readWholeFile(c.icon);
            EXPECT_EQ(number(file, 4, 2), count);
        }
    }
}

// Nothing is written for a bad input: the tool names the file and says what is wrong with
// it, ends with 2, and the output folder holds what it held before. The usage text follows
// a command line it cannot use, not a file it refuses.
TEST(BrandedProgram, BadInputWritesNothing) {
    TempFolder folder;
    const std::string menu = folder.path() + "menu.exe";
    ASSERT_TRUE(copyProgram(builtProgramPath(), menu));
    const std::string text = folder.write("notes.png", "Not a picture at all.\r\n");
    const std::string textIcon = folder.write("notes.ico", "Not an icon at all.\r\n");
    std::string later = readWholeFile(menu);
    const std::size_t fixed = later.find(std::string("\xBD\x04\xEF\xFE", 4));
    ASSERT_NE(std::string::npos, fixed);
    put(later, fixed + 10, 2, 9);  // the major version number
    const std::string laterMenu = folder.write("later.exe", later);
    const std::string subfolder = folder.path() + "folder.exe";
    CreateDirectoryA(subfolder.c_str(), nullptr);
    const std::string output = folder.path() + "out.exe";
    const std::string pictureFile =
        folder.write("picture.png", readWholeFile(image("two-halves.png")));
    const std::string picture = " --picture " + quoted(pictureFile) + " ";
    const std::string tooLong(256, 'x');
    const std::string photo = image("two-halves.jpg");
    const std::string missingIcon = folder.path() + "logo.ico";

    const struct {
        const char* what;
        std::string arguments;
        std::string says;
        bool usage;
    } cases[] = {
        {"a picture that is not an image",
         "--picture " + quoted(text) + " " + quoted(menu) + " " + quoted(output),
         text + ": not a picture", false},
        {"a truncated picture",
         "--picture " + quoted(image("cut-short.png")) + " " + quoted(menu) + " " + quoted(output),
         "cut-short.png: the picture cannot be read", false},
        {"an icon file that is not one",
         picture + "--icon " + quoted(textIcon) + " " + quoted(menu) + " " + quoted(output),
         "not an icon", false},
        {"an icon picture that is not one",
         picture + "--icon " + quoted(text) + " " + quoted(menu) + " " + quoted(output),
         "not an icon", false},
        {"a missing icon",
         picture + "--icon " + quoted(missingIcon) + " " + quoted(menu) + " " + quoted(output),
         missingIcon + ": the icon does not exist", false},
        {"a program that is not the menu", picture + quoted(toolPath()) + " " + quoted(output),
         "not autorun-menu", false},
        {"a later menu", picture + quoted(laterMenu) + " " + quoted(output), "autorun-menu 9.",
         false},
        {"OUTPUT.exe given first", picture + quoted(output) + " " + quoted(menu),
         output + ": the menu program (MENU.exe) does not exist; nothing written", false},
        {"a picture given as MENU.exe", picture + quoted(photo) + " " + quoted(output),
         photo + ": not a program; MENU.exe must be autorun-menu.exe of this release", false},
        {"a folder given as MENU.exe", picture + quoted(subfolder) + " " + quoted(output),
         subfolder + ": the menu program (MENU.exe) is a folder, not a file", false},
        {"an output in a missing folder",
         picture + quoted(menu) + " " + quoted(folder.path() + "missing\\out.exe"),
         "OUTPUT.exe cannot be written: its folder " + folder.path() + "missing\\ does not exist",
         false},
        {"an output that is a folder", picture + quoted(menu) + " " + quoted(subfolder),
         subfolder + ": OUTPUT.exe cannot be written: it is a folder", false},
        {"the menu as output", picture + quoted(menu) + " " + quoted(menu), "same file", false},
        {"the picture as output", picture + quoted(menu) + " " + quoted(pictureFile), "same file",
         false},
        {"a text too long",
         picture + "--company " + tooLong + " " + quoted(menu) + " " + quoted(output),
         "at most 255", false},
        {"an unknown option", picture + "--colour 5 " + quoted(menu) + " " + quoted(output),
         "unknown option --colour", true},
        {"no OUTPUT.exe", picture + quoted(menu), "no OUTPUT.exe given", true},
        {"nothing to change", quoted(menu) + " " + quoted(output), "nothing to change", true},
        {"an empty MENU.exe", picture + "\"\" " + quoted(output),
         "an empty argument where MENU.exe", true},
    };
    const std::vector<std::string> before = filesIn(folder.path());
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const ToolRun run = runTool(c.arguments);
        EXPECT_EQ(2u, run.exitCode) << run.output;
        EXPECT_NE(std::string::npos, run.output.find(c.says)) << run.output;
        EXPECT_EQ(c.usage, run.output.find("Usage: autorun-menu-brand") != std::string::npos)
            << run.output;
        EXPECT_EQ(before, filesIn(folder.path()));
        DeleteFileA(output.c_str());
    }
    EXPECT_EQ(readWholeFile(builtProgramPath()), readWholeFile(menu));
}

// The file offset of the data entry (offset, size) of resource `type`/`name` in the first
// language, in the program `file`; 0 when it has none.
std::size_t resourceEntry(const std::string& file, std::uint32_t type, std::uint32_t name) {
    const std::size_t pe = number(file, 0x3C, 4);
    const std::size_t optional = pe + 24;
    const bool wide = number(file, optional, 2) == 0x20B;
    const std::uint32_t rsrc = number(file, optional + (wide ? 112 : 96) + 2 * 8, 4);
    const std::size_t sections = optional + number(file, pe + 20, 2);
    std::size_t base = 0;
    for (std::size_t i = 0; i < number(file, pe + 6, 2); ++i) {
        const std::size_t section = sections + 40 * i;
        const std::uint32_t address = number(file, section + 12, 4);
        if (rsrc >= address && rsrc < address + number(file, section + 8, 4))
            base = number(file, section + 20, 4) + (rsrc - address);
    }
    if (base == 0) return 0;
    // A directory's entries follow its 16-byte head: (id, offset) pairs, named ones first.
    const auto entry = [&](std::size_t directory, std::uint32_t id, bool first) -> std::uint32_t {
        const std::size_t count = number(file, directory + 12, 2) + number(file, directory + 14, 2);
        for (std::size_t i = 0; i < count; ++i) {
            const std::size_t at = directory + 16 + 8 * i;
            if (first || number(file, at, 4) == id) return number(file, at + 4, 4) & 0x7FFFFFFF;
        }
        return 0;
    };
    const std::uint32_t names = entry(base, type, false);
    const std::uint32_t languages = names != 0 ? entry(base + names, name, false) : 0;
    const std::uint32_t data = languages != 0 ? entry(base + languages, 0, true) : 0;
    return data != 0 ? base + data : 0;
}

// A menu whose resource Windows cannot read is refused with 1 and nothing is written, where
// it once went into the copy empty.
TEST(BrandedProgram, UnreadableResourceWritesNothing) {
    TempFolder folder;
    const std::string menu = readWholeFile(builtProgramPath());
    const std::size_t icon = resourceEntry(menu, 3 /* RT_ICON */, 1);
    ASSERT_NE(0u, icon);
    ASSERT_EQ(resourceOf(builtProgramPath(), RT_ICON, 1).size(), number(menu, icon + 4, 4));
    std::string outside = menu;
    put(outside, icon, 4, 0x7FFFFF00);  // an address in no section
    std::string overlong = menu;
    put(overlong, icon + 4, 4, 0x7FFFFF00);  // far past the end of the file
    const struct {
        const char* what;
        std::string input;
    } cases[] = {{"data in no section", outside}, {"a size past the end", overlong}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string input = folder.write("input.exe", c.input);
        const std::vector<std::string> before = filesIn(folder.path());
        const ToolRun run = runTool("--picture " + quoted(image("two-halves.png")) + " " +
                                    quoted(input) + " " + quoted(folder.path() + "output.exe"));
        EXPECT_EQ(1u, run.exitCode) << run.output;
        const std::string says =
            input + ": Windows cannot read its resource type 3 name 1 language ";
        EXPECT_NE(std::string::npos, run.output.find(says)) << run.output;
        EXPECT_EQ(before, filesIn(folder.path()));
    }
}

// Paths and messages reach a pipe or file in UTF-8, whatever the system's code page.
TEST(BrandedProgram, WritesItsMessagesInUtf8) {
    if (GetACP() != 1252) GTEST_SKIP() << "the text below is written in code page 1252";
    TempFolder folder;
    const ToolRun run =
        runTool("--picture " + quoted(image("two-halves.png")) + " " +
                quoted(folder.path() + "men\xFC.exe") + " " + quoted(folder.path() + "out.exe"));
    EXPECT_EQ(2u, run.exitCode) << run.output;
    const std::string says = "autorun-menu-brand: " + folder.path() +
                             "men\xC3\xBC.exe: the menu program (MENU.exe) does not exist; "
                             "nothing written\r\n";
    EXPECT_NE(std::string::npos, run.output.find(says)) << run.output;
}

// Relative paths name files in the current folder, even where a file of the same name lies
// beside the tool (where Windows looks first for a program it loads by a relative name).
TEST(BrandedProgram, RelativePathsNameFilesInTheCurrentFolder) {
    TempFolder toolFolder;
    const std::string tool = toolFolder.path() + "autorun-menu-brand.exe";
    ASSERT_TRUE(copyProgram(toolPath(), tool));
    const ToolRun branding =
        runTool("--picture " + quoted(image("two-halves.png")) + " --company \"Beside the tool\" " +
                quoted(builtProgramPath()) + " " + quoted(toolFolder.path() + "menu.exe"));
    ASSERT_EQ(0u, branding.exitCode) << branding.output;

    TempFolder current;
    ASSERT_TRUE(copyProgram(builtProgramPath(), current.path() + "menu.exe"));
    current.write("picture.png", readWholeFile(image("two-halves.png")));
    const ToolRun run = runTool("--picture picture.png menu.exe out.exe", tool, current.path());
    ASSERT_EQ(0u, run.exitCode) << run.output;
    EXPECT_NE(std::string::npos, run.output.find(current.path() + "out.exe")) << run.output;
    EXPECT_EQ(versionText(builtProgramPath(), "CompanyName"),
              versionText(current.path() + "out.exe", "CompanyName"));
}

TEST(BrandedProgram, SameInputsGiveTheSameBytes) {
    TempFolder folder;
    std::string outputs[2];
    for (std::string& output : outputs) {
        const std::string path = folder.path() + "branded.exe";
        const ToolRun run = runTool("--picture " + quoted(image("two-halves.jpg")) + " --icon " +
                                    quoted(image("square.png")) + " --company Example " +
                                    quoted(builtProgramPath()) + " " + quoted(path));
        ASSERT_EQ(0u, run.exitCode) << run.output;
        output = readWholeFile(path);
        DeleteFileA(path.c_str());
    }
    EXPECT_TRUE(outputs[0] == outputs[1]);
}

// The running branded menu shows the picture of every format the tool reads: the
// picture's red top half at the top of the window, its blue bottom half at the bottom. A
// photo stored on its side, with the camera's tag saying so, shows upright.
TEST(BrandedMenu, ShowsThePictureOfEachFormat) {
    const char* pictures[] = {"two-halves.png", "two-halves.jpg", "two-halves.bmp",
                              "two-halves.gif", "two-halves.tif", "two-halves-turned.jpg"};
    for (const char* picture : pictures) {
        SCOPED_TRACE(picture);
        TempFolder folder;
        const std::string title =
            std::string("Branded ") + picture + " " + std::to_string(GetCurrentProcessId());
        folder.write("autorun.inf", "[0]\r\nTitle=" + title + "\r\nPrompt=Branded.\r\n");
        const std::string program = folder.path() + "start.exe";
        const ToolRun run = runTool("--picture " + quoted(image(picture)) + " " +
                                    quoted(builtProgramPath()) + " " + quoted(program));
        ASSERT_EQ(0u, run.exitCode) << run.output;

        RunningProgram menu(program);
        ASSERT_TRUE(menu.started());
        HWND window = waitForMenuWindow(menu, title);
        ASSERT_NE(nullptr, window) << "the branded menu did not appear";
        Canvas shown;
        shown.copyFromWindow(window);
        EXPECT_EQ(40 * 40, shown.countNear({40, 40, 80, 80}, RGB(200, 40, 40), 40));
        EXPECT_EQ(40 * 40, shown.countNear({40, 320, 80, 360}, RGB(40, 60, 200), 40));
        menu.kill();
    }
}
