// Opening and saving menu files on disk: each kind of file, each kind of edit read back
// through the profile reader, and every refusal leaving the file as it was.
#include <windows.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "console/console_text.h"
#include "editor/file/menu_file_io.h"
#include "test_files.h"
#include "utf16_text.h"

namespace {

std::wstring wide(const std::string& path) { return wideFromCodePage(path, CP_ACP); }
std::string shown(const std::wstring& message) { return utf8FromWideText(message); }

// The names of the files in `folder` (ending in a backslash), in the order listed.
std::string filesIn(const std::string& folder) {
    std::string names;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
        const std::string name = found.cFileName;
        if (name != "." && name != "..") names += name + ";";
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return names;
}

OpenResult opened(const std::string& path) {
    OpenResult result = openMenuFile(wide(path));
    EXPECT_EQ(result.status, OpenStatus::Opened) << path;
    return result;
}

const std::string kRussianMenu =
    "; the sample medium\r\n[View]\r\nFontName = Arial \r\n\r\n[1]\nTitle=\xC4\xE8\xF1\xEA\n"
    "1=  \xD3\xF1\xF2\xE0\xED\xEE\xE2\xEA\xE0|setup.exe\r[0]\r\nTitle=Disc";

TEST(OpenMenuFile, EachKindOfFileGetsItsStatus) {
    const std::string menu = "[0]\r\nTitle=Caf\xC3\xA9\r\n";
    const struct {
        const char* name;
        std::string bytes;
        OpenStatus status;
        std::u16string title;  // [0] Title as the document reads it, or [1] for kRussianMenu
    } cases[] = {
        {"UTF-16", utf16Text(menu, false, "\xFF\xFE"), OpenStatus::Opened, u"Caf\u00E9"},
        {"ANSI", kRussianMenu, OpenStatus::Opened, u"\u0414\u0438\u0441\u043A"},
        {"UTF-8", menu, OpenStatus::Utf8, u"Caf\u00E9"},
        {"UTF-8 with its mark, first section kept", "\xEF\xBB\xBF" + menu, OpenStatus::Utf8,
         u"Caf\u00E9"},
        {"the mark of UTF-8 on other bytes", "\xEF\xBB\xBF[0]\r\nTitle=Caf\xE9\r\n",
         OpenStatus::Refused, u""},
        {"UTF-16 big-endian", utf16Text(menu, true, "\xFE\xFF"), OpenStatus::Refused, u""},
        {"UTF-16 without mark", utf16Text(menu, false), OpenStatus::Refused, u""},
        {"a program", std::string("MZ\x90\0\x03\0", 6), OpenStatus::Refused, u""},
        {"over 1 MiB", std::string(1024 * 1024 + 1, ';'), OpenStatus::Refused, u""},
    };
    TempFolder folder;
    for (const auto& c : cases) {
        const OpenResult result = openMenuFile(wide(folder.write("autorun.inf", c.bytes)));
        EXPECT_EQ(result.status, c.status) << c.name;
        EXPECT_EQ(result.message.empty(), c.status == OpenStatus::Opened) << c.name;
        if (c.status == OpenStatus::Refused) continue;
        EXPECT_EQ(result.stamp.bytes, c.bytes) << c.name;
        EXPECT_EQ(result.document.encoding() == DocumentEncoding::Ansi, c.bytes == kRussianMenu);
        const char16_t* section = c.bytes == kRussianMenu ? u"1" : u"0";
        EXPECT_EQ(result.document.value(section, u"Title").value_or(u"-"), c.title) << c.name;
    }
}

TEST(OpenMenuFile, WhatCannotBeReadSaysWhy) {
    TempFolder folder;
    const std::string locked = folder.write("locked.inf", "[0]\r\n");
    HANDLE holder =
        CreateFileA(locked.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(holder, INVALID_HANDLE_VALUE);
    const struct {
        std::string path;
        const wchar_t* why;
    } cases[] = {
        {folder.path() + "missing.inf", L"does not exist"},
        {folder.path(), L"is a folder"},
        {locked, L"another program has it open"},
    };
    for (const auto& c : cases) {
        const OpenResult result = openMenuFile(wide(c.path));
        EXPECT_EQ(result.status, OpenStatus::CannotRead) << c.path;
        EXPECT_NE(result.message.find(c.why), std::wstring::npos) << c.path;
    }
    CloseHandle(holder);
}

TEST(MenuValues, EveryValueTheMenuOrWindowsReads) {
    const ProfileDocument document = ProfileDocument::fromText(
        u"[view]\r\nFontSize=13\r\nColour=2\r\n[0]\r\n5=e|x.exe\r\nTitle=Disc\r\n"
        u"[9]\r\nTitle=never\r\n[Autorun]\r\nlabel=Disc\r\nopen=menu.exe\r\n[Other]\r\nTitle=x\r\n"
        u"[0]\r\nPrompt=second heading\r\n");
    std::u16string listed;
    for (const ValueCheck& v : valuesOf(document))
        listed += v.section + u" " + v.key + u"=" + v.value + u";";
    EXPECT_EQ(
        listed,
        u"view FontSize=13;0 Title=Disc;0 5=e|x.exe;Autorun open=menu.exe;Autorun label=Disc;");
}

TEST(SaveMenuFile, OneValueChangedLeavesEveryOtherByte) {
    TempFolder folder;
    const std::string path = folder.write("autorun.inf", kRussianMenu);
    OpenResult file = opened(path);
    ASSERT_EQ(file.document.setValue(u"1", u"Title", u"\u041D\u043E\u0432\u044B\u0439"),
              EditStatus::Done);
    const SaveResult saved =
        saveMenuFile(wide(path), file.document, &file.stamp, valuesOf(file.document));
    EXPECT_EQ(saved.status, SaveStatus::Saved) << shown(saved.message);
    EXPECT_EQ(readWholeFile(path),
              "; the sample medium\r\n[View]\r\nFontName = Arial "
              "\r\n\r\n[1]\nTitle=\xCD\xEE\xE2\xFB\xE9\n"
              "1=  \xD3\xF1\xF2\xE0\xED\xEE\xE2\xEA\xE0|setup.exe\r[0]\r\nTitle=Disc");
    EXPECT_EQ(filesIn(folder.path()), "autorun.inf;");
}

TEST(SaveMenuFile, EachKindOfEditReadsBackAsSet) {
    const struct {
        const char* name;
        const char16_t* section;
        const char16_t* key;
        std::u16string value;
    } edits[] = {
        {"changed value", u"1", u"Title", u"\u041D\u043E\u0432\u044B\u0439"},
        {"new key", u"1", u"Prompt", u"\u0414\u0430"},
        {"new section", u"22", u"Title", u"\u039A\u03B1\u03BB\u03AE"},
        {"blanks around", u"0", u"Prompt", u"  spaced  "},
        {"own quotes", u"0", u"2", u"\"quoted\""},
        {"empty", u"View", u"FontName", u""},
    };
    TempFolder folder;
    for (const bool unicode : {false, true}) {
        for (const auto& edit : edits) {
            const std::string path = folder.write("autorun.inf", kRussianMenu);
            OpenResult file = opened(path);
            if (unicode) file.document.convertToUtf16();
            ASSERT_EQ(file.document.setValue(edit.section, edit.key, edit.value), EditStatus::Done);
            const SaveResult saved =
                saveMenuFile(wide(path), file.document, &file.stamp, valuesOf(file.document));
            EXPECT_EQ(saved.status, SaveStatus::Saved) << edit.name << shown(saved.message);
            EXPECT_EQ(readWholeFile(path), file.document.toBytes()) << edit.name;
            // The stamp is what is on disk now: the next save goes through.
            EXPECT_FALSE(changedOnDisk(wide(path), saved.stamp)) << edit.name;
            EXPECT_EQ(saveMenuFile(wide(path), file.document, &saved.stamp, {}).status,
                      SaveStatus::Saved);
        }
    }
}

TEST(SaveMenuFile, WhatDoesNotReadAsSetWritesNothing) {
    TempFolder folder;
    const std::string path = folder.write("autorun.inf", kRussianMenu);
    OpenResult file = opened(path);
    ASSERT_EQ(file.document.setValue(u"0", u"Title", u"New"), EditStatus::Done);
    const SaveResult saved = saveMenuFile(
        wide(path), file.document, &file.stamp,
        {{u"0", u"Title", u"New"}, {u"1", u"Title", u"Other"}, {u"0", u"Prompt", u""}});
    EXPECT_EQ(saved.status, SaveStatus::ReadBackFailed);
    EXPECT_NE(saved.message.find(L"[1] Title, [0] Prompt did not"), std::wstring::npos);
    EXPECT_EQ(readWholeFile(path), kRussianMenu);
    EXPECT_EQ(filesIn(folder.path()), "autorun.inf;");
}

TEST(SaveMenuFile, RefusalsLeaveTheFileAsItWas) {
    TempFolder folder;
    const std::string locked = folder.write("locked.inf", kRussianMenu);
    const std::string readOnly = folder.write("read-only.inf", kRussianMenu);
    SetFileAttributesA(readOnly.c_str(), FILE_ATTRIBUTE_READONLY);
    HANDLE holder =
        CreateFileA(locked.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(holder, INVALID_HANDLE_VALUE);
    const struct {
        std::string path;
        const wchar_t* why;
    } cases[] = {
        {locked, L"another program has the file open"},
        {readOnly, L"the file is read-only"},
        {folder.path() + "missing\\autorun.inf", L"its folder does not exist"},
        {folder.path() + std::string(MAX_PATH, 'a'), L"the path is too long"},
    };
    const ProfileDocument document = ProfileDocument::fromText(u"[0]\r\nTitle=New\r\n");
    const std::string files = filesIn(folder.path());
    for (const auto& c : cases) {
        const SaveResult saved = saveMenuFile(wide(c.path), document, nullptr, valuesOf(document));
        EXPECT_EQ(saved.status, SaveStatus::CannotWrite) << c.path;
        EXPECT_NE(saved.message.find(c.why), std::wstring::npos) << shown(saved.message);
    }
    CloseHandle(holder);
    EXPECT_EQ(filesIn(folder.path()), files);
    EXPECT_EQ(readWholeFile(locked), kRussianMenu);
    EXPECT_EQ(readWholeFile(readOnly), kRussianMenu);
}

TEST(SaveMenuFile, AFileChangedOnDiskIsNotOverwritten) {
    TempFolder folder;
    const std::string path = folder.write("autorun.inf", kRussianMenu);
    OpenResult file = opened(path);
    ASSERT_EQ(file.document.setValue(u"0", u"Title", u"New"), EditStatus::Done);
    EXPECT_FALSE(changedOnDisk(wide(path), file.stamp));
    // Another program writes as many bytes.
    std::string other = kRussianMenu;
    other.back() = 'k';
    writeWholeFile(path, other);
    EXPECT_TRUE(changedOnDisk(wide(path), file.stamp));
    EXPECT_EQ(saveMenuFile(wide(path), file.document, &file.stamp, {}).status,
              SaveStatus::ChangedOnDisk);
    EXPECT_EQ(readWholeFile(path), other);
    DeleteFileA(path.c_str());
    EXPECT_TRUE(changedOnDisk(wide(path), file.stamp));
    // Saving without the stamp writes it all the same, here as a new file.
    EXPECT_EQ(saveMenuFile(wide(path), file.document, nullptr, {}).status, SaveStatus::Saved);
    EXPECT_EQ(readWholeFile(path), file.document.toBytes());
}

TEST(SaveMenuFile, KeepsTheFileHiddenAndReadsBackInAFolderOfAnyName) {
    TempFolder folder;
    // A folder name outside the system's code page: the ANSI reader cannot name the file.
    const std::wstring greek = wide(folder.path()) + L"\u0394\u03AF\u03C3\u03BA\u03BF\u03C2\\";
    ASSERT_TRUE(CreateDirectoryW(greek.c_str(), nullptr));
    for (const std::wstring& path :
         {wide(folder.path()) + L"autorun.inf", greek + L"autorun.inf"}) {
        HANDLE hidden = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                    FILE_ATTRIBUTE_HIDDEN, nullptr);
        DWORD written = 0;
        ASSERT_TRUE(WriteFile(hidden, kRussianMenu.data(), static_cast<DWORD>(kRussianMenu.size()),
                              &written, nullptr));
        CloseHandle(hidden);
        OpenResult file = openMenuFile(path);
        ASSERT_EQ(file.document.setValue(u"1", u"Title", u"\u041D\u043E\u0432\u044B\u0439"),
                  EditStatus::Done);
        const SaveResult saved =
            saveMenuFile(path, file.document, &file.stamp, valuesOf(file.document));
        EXPECT_EQ(saved.status, SaveStatus::Saved) << shown(saved.message);
        // The reading proves something: a value not set fails there too.
        EXPECT_EQ(saveMenuFile(path, file.document, nullptr, {{u"1", u"Title", u"x"}}).status,
                  SaveStatus::ReadBackFailed);
        EXPECT_NE(GetFileAttributesW(path.c_str()) & FILE_ATTRIBUTE_HIDDEN, 0u);
        SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileW(path.c_str());
    }
    // The folder's name is no name of the system's code page, which removing it goes by.
    RemoveDirectoryW(greek.c_str());
}

// Run by CTest with a folder it made that this user may not write.
TEST(SaveMenuFile, AFolderThatCannotBeWritten) {
    const char* folder = std::getenv("AUTORUN_MENU_UNWRITABLE_FOLDER");
    if (folder == nullptr) GTEST_SKIP() << "no folder that cannot be written was made";
    const std::wstring path = wide(std::string(folder) + "/autorun.inf");
    const std::wstring probe = wide(std::string(folder) + "/probe");
    if (CreateDirectoryW(probe.c_str(), nullptr)) {
        RemoveDirectoryW(probe.c_str());
        GTEST_SKIP() << "this user writes the folder all the same";
    }
    const ProfileDocument document = ProfileDocument::fromText(u"[0]\r\nTitle=New\r\n");
    const SaveResult saved = saveMenuFile(path, document, nullptr, valuesOf(document));
    EXPECT_EQ(saved.status, SaveStatus::CannotWrite);
    EXPECT_NE(saved.message.find(L"may not write in its folder"), std::wstring::npos)
        << shown(saved.message);
    EXPECT_EQ(GetFileAttributesW(path.c_str()), INVALID_FILE_ATTRIBUTES);
}

}  // namespace
