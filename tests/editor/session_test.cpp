// The editor's session: every operation the window asks of it, with the outcomes the window
// turns into questions, and the rules that keep "saved" honest.
#include <gtest/gtest.h>

#include <cwctype>
#include <set>
#include <string>
#include <vector>

#include "editor/editor_ids.h"
#include "editor/model/utf8_text.h"
#include "editor/session/field_table.h"
#include "editor/session/menu_session.h"
#include "editor/session/new_medium.h"

namespace {

constexpr char16_t kMenu[] =
    u"[autorun]\r\nopen=autorun-menu.exe\r\n\r\n[View]\r\nFontColor=1\r\n\r\n"
    u"[0]\r\nTitle=Disc\r\nPrompt=Pick one\r\n1=Read me|readme.txt||Notes.\\nRead them.|No.|\r\n"
    u"2=Exit|||||1\r\n\r\n[7]\r\nTitle=Disco\r\n";

// A session over an ANSI (Latin-1) copy of kMenu, opened from E:\autorun.inf.
struct Opened {
    MenuSession session;
    std::vector<Change> changes;
    Opened() {
        session.setListener([this](const Change& change) { changes.push_back(change); });
        session.take(u"E:\\autorun.inf", ProfileDocument::fromBytes(latin1(kMenu), nullptr),
                     latin1(kMenu), false);
        changes.clear();
    }
    static std::string latin1(const std::u16string& text) {
        return std::string(text.begin(), text.end());
    }
    std::u16string value(const char16_t* section, const char16_t* key) const {
        return session.document().value(section, key).value_or(u"<none>");
    }
};

const Field& field(int id) { return *fieldOf(id); }

TEST(MenuSession, FieldsShowAndSetTheirValues) {
    struct Case {
        int id;
        const char16_t* typed;
        const char16_t* section;
        const char16_t* key;
        const char16_t* stored;
    };
    const Case cases[] = {
        {IDC_TITLE, u"New", u"0", u"Title", u"New"},
        {IDC_CAPTION, u"Read", u"0", u"1", u"Read|readme.txt||Notes.\\nRead them.|No.|"},
        {IDC_COMMENT, u"One\r\ntwo", u"0", u"1", u"Read me|readme.txt||One\\ntwo|No.|"},
        {IDC_CLOSES, u"1", u"0", u"1", u"Read me|readme.txt||Notes.\\nRead them.|No.|1"},
        {IDC_FONT_COLOR, u"5", u"View", u"FontColor", u"5"},
        {IDC_FONT_BOLD, u"1", u"View", u"FontBold", u"1"},
        {IDC_AUTORUN_LABEL, u"My Disc", u"autorun", u"label", u"My Disc"},
    };
    for (const Case& c : cases) {
        Opened opened;
        const EditResult result =
            opened.session.setField(field(c.id), c.typed, Consent::NotAsked, false);
        EXPECT_EQ(Outcome::Done, result.outcome) << c.id;
        EXPECT_EQ(c.stored, opened.value(c.section, c.key)) << c.id;
        EXPECT_EQ(c.typed, opened.session.shown(field(c.id))) << c.id;
        EXPECT_TRUE(opened.session.dirty());
        ASSERT_EQ(1u, opened.changes.size()) << "one change, told once";
        EXPECT_TRUE(opened.changes[0].flags & kBytesChanged);
    }
}

TEST(MenuSession, FieldsShowWhatTheMenuTakes) {
    Opened opened;
    EXPECT_EQ(u"Notes.\r\nRead them.", opened.session.shown(field(IDC_COMMENT)));
    EXPECT_EQ(u"0", opened.session.shown(field(IDC_CLOSES)));
    EXPECT_EQ(u"1", opened.session.shown(field(IDC_FONT_COLOR)));
    // No BkCommentColor in the file: the menu's default, 15.
    EXPECT_EQ(u"15", opened.session.shown(field(IDC_BK_COMMENT_COLOR)));
    opened.session.setEntry(1);
    EXPECT_EQ(u"1", opened.session.shown(field(IDC_CLOSES)));
    EXPECT_EQ(u"Exit", opened.session.shown(field(IDC_CAPTION)));
}

// Fields are set to what they show whenever another file or entry is shown: that must
// never write a key the file lacks, nor anything else.
TEST(MenuSession, ValuesTheFieldsShowAlreadyChangeNothing) {
    Opened opened;
    for (const int id : {IDC_AUTORUN_LABEL, IDC_AUTORUN_ICON, IDC_FONT_BOLD, IDC_BK_COMMENT_COLOR,
                         IDC_COMMENT, IDC_PARAMETERS}) {
        const Field& shownField = field(id);
        EXPECT_EQ(Outcome::Unchanged, opened.session
                                          .setField(shownField, opened.session.shown(shownField),
                                                    Consent::NotAsked, true)
                                          .outcome)
            << id;
    }
    EXPECT_FALSE(opened.session.dirty());
    EXPECT_TRUE(opened.changes.empty());
}

TEST(MenuSession, EditsThatCannotBeStoredAreRefusedOrAsked) {
    Opened opened;
    const EditResult bar =
        opened.session.setField(field(IDC_CAPTION), u"a|b", Consent::NotAsked, true);
    EXPECT_EQ(Outcome::Refused, bar.outcome);
    EXPECT_NE(std::u16string::npos, bar.reason.find(u"\"|\""));
    EXPECT_EQ(Outcome::Refused,
              opened.session.setField(field(IDC_TITLE), u"a\nb", Consent::NotAsked, true).outcome);

    // Cyrillic in a Latin-1 file: asked first, nothing changed until the author agrees.
    const EditResult asked =
        opened.session.setField(field(IDC_TITLE), u"Диск", Consent::NotAsked, true);
    EXPECT_EQ(Outcome::NeedsUtf16, asked.outcome);
    EXPECT_EQ(u"0", asked.section);
    EXPECT_FALSE(opened.session.dirty());
    EXPECT_TRUE(opened.changes.empty());
    EXPECT_EQ(Outcome::Done,
              opened.session.setField(field(IDC_TITLE), u"Диск", Consent::Utf16, true).outcome);
    EXPECT_EQ(DocumentEncoding::Utf16, opened.session.document().encoding());
    EXPECT_EQ(u"Диск", opened.value(u"0", u"Title"));

    EXPECT_EQ(Outcome::Unchanged,
              opened.session.setField(field(IDC_TITLE), u"Диск", Consent::NotAsked, true).outcome);
}

TEST(MenuSession, SavedOnlyAfterASaveOrALoad) {
    Opened opened;
    EXPECT_FALSE(opened.session.dirty());
    opened.session.setField(field(IDC_TITLE), u"Changed", Consent::NotAsked, true);
    EXPECT_TRUE(opened.session.dirty());
    // A reload that fails (the author declined converting a file that became UTF-8) takes
    // nothing: the edits still count as unsaved, so closing asks.
    EXPECT_TRUE(opened.session.dirty());
    opened.session.saved(opened.session.bytes());
    EXPECT_FALSE(opened.session.dirty());
    EXPECT_EQ(opened.session.bytes(), opened.session.disk());
    EXPECT_TRUE(opened.session.canUndo());

    // A file converted from UTF-8 is unsaved until written.
    MenuSession converted;
    converted.take(u"E:\\autorun.inf", ProfileDocument::fromText(kMenu), "utf-8 bytes", true);
    EXPECT_TRUE(converted.dirty());
    EXPECT_FALSE(converted.canUndo());

    // No file: nothing is dirty, and no field takes an edit.
    MenuSession none;
    EXPECT_FALSE(none.dirty());
    EXPECT_EQ(Outcome::Unchanged,
              none.setField(field(IDC_TITLE), u"Lost", Consent::NotAsked, true).outcome);
}

TEST(MenuSession, UndoTakesBackOneStepOfTypingAndRedoMakesItAgain) {
    Opened opened;
    opened.session.setField(field(IDC_TITLE), u"D", Consent::NotAsked, true);
    opened.session.setField(field(IDC_TITLE), u"Di", Consent::NotAsked, true);
    opened.session.endTyping();
    opened.session.setField(field(IDC_PROMPT), u"P", Consent::NotAsked, true);
    ASSERT_TRUE(opened.session.undo());
    EXPECT_EQ(u"Pick one", opened.value(u"0", u"Prompt"));
    EXPECT_EQ(u"Di", opened.value(u"0", u"Title"));
    ASSERT_TRUE(opened.session.undo());
    EXPECT_EQ(u"Disc", opened.value(u"0", u"Title"));
    EXPECT_FALSE(opened.session.dirty());
    EXPECT_FALSE(opened.session.undo());
    ASSERT_TRUE(opened.session.redo());
    EXPECT_EQ(u"Di", opened.value(u"0", u"Title"));
    EXPECT_TRUE(opened.changes.back().flags & kValuesChanged);
}

TEST(MenuSession, LanguagesAddedShownAndRemoved) {
    Opened opened;
    // [7] has a title: in force. [3] has none: its systems show [0].
    opened.session.setLanguage(7);
    EXPECT_EQ(7, opened.session.section());
    EXPECT_TRUE(opened.session.canRemoveLanguage());
    opened.session.setLanguage(3);
    EXPECT_EQ(0, opened.session.section());
    EXPECT_FALSE(opened.session.canRemoveLanguage());
    EXPECT_TRUE(opened.changes.back().flags & kSectionChanged);

    ASSERT_EQ(Outcome::Done, opened.session.addLanguage(3, Consent::NotAsked).outcome);
    EXPECT_EQ(3, opened.session.language());
    EXPECT_EQ(3, opened.session.section());
    EXPECT_EQ(u"Disc", opened.value(u"3", u"Title"));
    EXPECT_EQ(u"Exit|||||1", opened.value(u"3", u"2"));
    EXPECT_EQ(Outcome::Unchanged, opened.session.addLanguage(3, Consent::NotAsked).outcome);
    EXPECT_EQ(Outcome::Unchanged, opened.session.addLanguage(0, Consent::NotAsked).outcome);

    ASSERT_EQ(Outcome::Done, opened.session.removeLanguage().outcome);
    EXPECT_FALSE(opened.session.inFile(3));
    EXPECT_EQ(0, opened.session.section());
    opened.session.setLanguage(0);
    EXPECT_EQ(Outcome::Unchanged, opened.session.removeLanguage().outcome);
    ASSERT_TRUE(opened.session.undo());
    EXPECT_TRUE(opened.session.inFile(3));
}

TEST(MenuSession, FixesAndOfferingTheMenuAreStepsOfTheirOwn) {
    Opened opened;
    const Fix fix{"View", "FontColor", {"15", "16"}};
    ASSERT_EQ(Outcome::Done, opened.session.applyFix(fix, 1, Consent::NotAsked).outcome);
    EXPECT_EQ(u"16", opened.value(u"View", u"FontColor"));
    EXPECT_EQ(Outcome::Refused, opened.session.applyFix(fix, 2, Consent::NotAsked).outcome);
    EXPECT_EQ(
        Outcome::Refused,
        opened.session.applyFix({"View", "FontColor", {"\xE9"}}, 0, Consent::NotAsked).outcome);

    opened.session.setMenuProgram(u"E:\\start.exe");
    ASSERT_EQ(Outcome::Done, opened.session.offerMenu(Consent::NotAsked).outcome);
    EXPECT_EQ(u"start.exe", opened.value(u"autorun", u"open"));
    EXPECT_EQ(u"start.exe,0", opened.value(u"autorun", u"icon"));
    ASSERT_TRUE(opened.session.undo());
    EXPECT_EQ(u"autorun-menu.exe", opened.value(u"autorun", u"open"));
    EXPECT_EQ(u"<none>", opened.value(u"autorun", u"icon"));
}

TEST(MenuSession, FindingsLeadToTheirFields) {
    struct Case {
        const char* section;
        const char* key;
        int field;  // 0: no field
        std::int32_t language;
        int entry;
        Page page;
    };
    const Case cases[] = {
        {"View", "FontColor", IDC_FONT_COLOR, 0, 0, Page::Look},
        {"view", "bkcommentcolor", IDC_BK_COMMENT_COLOR, 0, 0, Page::Look},
        {"7", "Title", IDC_TITLE, 7, 0, Page::Texts},
        {"0", "Prompt", IDC_PROMPT, 0, 0, Page::Texts},
        {"12", "3", IDC_CAPTION, 12, 2, Page::Texts},
        {"autorun", "label", IDC_AUTORUN_LABEL, 0, 0, Page::Windows},
        {"autorun", "shellexecute", 0, 0, 0, Page::Texts},
        {"0", "6", 0, 0, 0, Page::Texts},
    };
    Opened opened;
    for (const Case& c : cases) {
        Finding finding{Severity::Warning, keyPlace(c.section, c.key), "", 0, std::nullopt};
        const std::optional<FindingPlace> place = opened.session.placeOf(finding);
        if (c.field == 0) {
            EXPECT_FALSE(place.has_value()) << c.section << " " << c.key;
            continue;
        }
        ASSERT_TRUE(place.has_value()) << c.section << " " << c.key;
        EXPECT_EQ(c.field, place->field->id);
        EXPECT_EQ(c.language, place->language);
        EXPECT_EQ(c.entry, place->entry);
        EXPECT_EQ(c.page, place->field->page);
    }
    Finding file{Severity::Error, Place("E:\\readme.txt"), "", 0, std::nullopt};
    EXPECT_FALSE(opened.session.placeOf(file).has_value());
}

TEST(MenuSession, FindingsComeErrorsFirst) {
    Opened opened;
    std::vector<Finding> findings;
    for (const Severity severity :
         {Severity::Info, Severity::Error, Severity::Warning, Severity::Error, Severity::Note}) {
        findings.push_back({severity, Place("x"), std::to_string(findings.size()), 0, {}});
    }
    opened.session.takeFindings(findings);
    std::string order;
    for (const Finding& finding : opened.session.findings()) order += finding.text;
    EXPECT_EQ("13240", order);
    EXPECT_TRUE(opened.changes.back().flags & kFindingsChanged);
}

// A new medium: the sample's [autorun], [View] and [0] only, labelled after its folder.
TEST(NewMedium, KeepsTheSamplesFirstLanguageAndLabelsItAfterTheFolder) {
    const struct {
        const char16_t* folder;
        const char16_t* label;  // null: no label
    } cases[] = {
        {u"C:\\Media\\My Product\\", u"My Product"},
        {u"D:\\Диск", u"Диск"},
        {u"E:\\", nullptr},
        {u"C:\\A folder whose name is longer than thirty-two\\",
         u"A folder whose name is longer th"},
    };
    for (const auto& c : cases) {
        const ProfileDocument made = newMediumDocument(kMenu, c.folder);
        EXPECT_EQ(DocumentEncoding::Utf16, made.encoding());
        EXPECT_EQ(c.label ? std::optional<std::u16string>(c.label) : std::nullopt,
                  made.value(u"autorun", u"label"));
        EXPECT_EQ(u"autorun-menu.exe", made.value(u"autorun", u"open").value_or(u""));
        EXPECT_EQ(u"1", made.value(u"View", u"FontColor").value_or(u""));
        EXPECT_EQ(c.label ? c.label : u"Disc", made.value(u"0", u"Title").value_or(u""));
        EXPECT_EQ(u"Exit|||||1", made.value(u"0", u"2").value_or(u""));
        EXPECT_FALSE(made.sectionLine(u"7").has_value()) << "no other language";
    }
}

// Each page's mnemonics, with those of the controls beside the pages, are used once, and
// none takes a letter of the menu bar.
TEST(FieldTable, MnemonicsAreEachUsedOnceAndLeaveTheMenuBarAlone) {
    const std::wstring beside[] = {L"Pre&view as:",      L"&Add language...",
                                   L"Remove lan&guage",  L"Findings of the chec&ker",
                                   L"Appl&y the fix...", L"Show &infos"};
    const std::wstring pageExtras[kPageCount][2] = {
        {L"E&ntry:", L"&Browse..."}, {L"", L""}, {L"Make &Windows offer this menu", L""}};
    for (int page = 0; page < kPageCount; ++page) {
        std::vector<std::wstring> labels(std::begin(beside), std::end(beside));
        for (const std::wstring& extra : pageExtras[page]) labels.push_back(extra);
        for (const Field* f = fieldsBegin(); f != fieldsEnd(); ++f) {
            if (static_cast<int>(f->page) == page) labels.push_back(f->label);
        }
        std::set<wchar_t> used;
        for (const std::wstring& label : labels) {
            const std::size_t amp = label.find(L'&');
            if (amp == std::wstring::npos) continue;
            const wchar_t letter = static_cast<wchar_t>(std::towlower(label[amp + 1]));
            EXPECT_TRUE(used.insert(letter).second) << "page " << page << ": " << label.size();
            EXPECT_EQ(std::wstring::npos, std::wstring(kMenuBarMnemonics).find(letter));
        }
    }
}

TEST(FieldTable, EveryKeyedFieldIsFoundByItsKey) {
    for (const Field* f = fieldsBegin(); f != fieldsEnd(); ++f) {
        if (f->source == FieldSource::Entry) {
            EXPECT_EQ(f, fieldOfPart(f->part));
            continue;
        }
        const std::string section = f->source == FieldSource::View      ? "View"
                                    : f->source == FieldSource::Autorun ? "autorun"
                                                                        : "5";
        EXPECT_EQ(f, fieldOfKey(section, f->key)) << f->key;
        EXPECT_EQ(f, fieldOf(f->id));
    }
}

}  // namespace
