// The menu's hostile files opened in the editor's parts: each one is opened or refused with
// a message, an opened one gives its bytes back unchanged, takes an edit and its read-back,
// and the preview draws it in every language. Never a crash.
#include "hostile_files.h"

#include <windows.h>
#include <gtest/gtest.h>

#include "editor/file/menu_file_io.h"
#include "editor/preview/menu_preview.h"
#include "editor/preview/preview_languages.h"
#include "test_files.h"

namespace {

std::wstring wide(const std::string& text) { return std::wstring(text.begin(), text.end()); }

TEST(HostileMenuFiles, TheEditorOpensOrRefusesEachAndDrawsEveryLanguage) {
    const std::vector<PreviewLanguage> languages = previewLanguages();
    for (const HostileFile& file : hostileFiles()) {
        SCOPED_TRACE(file.name);
        TempFolder medium;
        const std::wstring path = wide(medium.write("autorun.inf", file.content));
        OpenResult opened = openMenuFile(path);
        if (opened.status == OpenStatus::Refused || opened.status == OpenStatus::CannotRead) {
            EXPECT_FALSE(opened.message.empty()) << "a refusal says why";
            continue;
        }
        if (opened.status == OpenStatus::Opened) {
            EXPECT_EQ(file.content, opened.document.toBytes()) << "every byte kept";
        }

        MenuPreview preview;
        for (const PreviewLanguage& language : languages)
            preview.show(opened.document.toBytes(), language.index);

        // An edit of the title saves and reads back, whatever else the file holds.
        ASSERT_EQ(EditStatus::Done, opened.document.setValue(u"0", u"Title", u"Edited"));
        const SaveResult saved =
            saveMenuFile(path, opened.document, &opened.stamp, {{u"0", u"Title", u"Edited"}});
        EXPECT_EQ(SaveStatus::Saved, saved.status)
            << std::string(saved.message.begin(), saved.message.end());
    }
}

}  // namespace
