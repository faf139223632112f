// A folder mapped to a drive letter for a run, as `subst` maps one, and removed again:
// exactly the mapping made, never one made over it by someone else.
#include "editor/run/drive_mapping.h"

#include <gtest/gtest.h>

#include <string>

#include "run_test_support.h"
#include "test_files.h"

namespace {

TEST(DriveMapping, MapsAFreeLetterAndRemovesExactlyIt) {
    TempFolder folder;
    TempFolder other;
    folder.write("menu.txt", "through the letter");
    const std::wstring path = wide(folder.path());
    std::wstring error;
    {
        DriveMapping mapping;
        ASSERT_TRUE(mapping.map(path, error)) << error;
        const wchar_t letter = mapping.letter();
        EXPECT_EQ(std::wstring(1, letter) + L":\\", mapping.root());
        EXPECT_EQ(std::wstring(1, letter), lettersMappedTo(path));
        DriveMapping second;
        ASSERT_TRUE(second.map(wide(other.path()), error)) << error;
        EXPECT_NE(letter, second.letter()) << "a letter of its own";

        // Wine keeps the mapping but opens no file through it, and removes every mapping
        // of a letter at once.
        if (!runningUnderWine()) {
            EXPECT_EQ("through the letter",
                      readWholeFile(std::string(1, static_cast<char>(letter)) + ":\\menu.txt"));
            // Someone maps the same letter over it: removing ours leaves theirs.
            const wchar_t device[3] = {letter, L':', L'\0'};
            const std::wstring theirs = wide(other.path()).substr(0, other.path().size() - 1);
            ASSERT_TRUE(DefineDosDeviceW(DDD_NO_BROADCAST_SYSTEM, device, theirs.c_str()));
            EXPECT_TRUE(mapping.remove());
            EXPECT_EQ(L"", lettersMappedTo(path));
            EXPECT_NE(std::wstring::npos, lettersMappedTo(wide(other.path())).find(letter));
            EXPECT_TRUE(
                DefineDosDeviceW(DDD_REMOVE_DEFINITION | DDD_NO_BROADCAST_SYSTEM, device, nullptr));
        }
        EXPECT_TRUE(mapping.remove());
        EXPECT_EQ(L"", lettersMappedTo(path));
    }
    EXPECT_EQ(L"", lettersMappedTo(wide(other.path()))) << "removed when the object went";
}

}  // namespace
