#include "editor/session/menu_session.h"

#include <utility>

#include "checker/autorun_check.h"
#include "checker/section_check.h"
#include "config/colour_table.h"
#include "config/number_text.h"
#include "config/view_settings.h"
#include "editor/model/utf8_text.h"
#include "state/launcher_state.h"

namespace {

std::u16string decimal(std::int32_t number) { return utf16Of(std::to_string(number)); }

std::int32_t numberOf(const std::u16string& text) { return numberFromText(utf8Of(text).c_str()); }

// Text of the checker's fixes: names and colour numbers, ASCII in every code page. Nothing
// for text beyond ASCII, which no fix of the checker holds.
std::optional<std::u16string> asciiText(const std::string& text) {
    std::u16string wide;
    for (const char c : text) {
        if (static_cast<unsigned char>(c) >= 0x80) return std::nullopt;
        wide += static_cast<char16_t>(c);
    }
    return wide;
}

// The file name at the end of `path`.
std::u16string fileNameOf(const std::u16string& path) {
    const std::size_t slash = path.find_last_of(u"\\/");
    return slash == std::u16string::npos ? path : path.substr(slash + 1);
}

// An edit's status as an outcome: NotInCodePage asks for UTF-16.
EditResult resultOf(EditStatus status, const std::u16string& section) {
    EditResult result;
    switch (status) {
        case EditStatus::Done:
            result.outcome = Outcome::Done;
            break;
        case EditStatus::NotInCodePage:
            result.outcome = Outcome::NeedsUtf16;
            result.section = section;
            break;
        case EditStatus::ValueNotStorable:
        case EditStatus::NameNotStorable:
            result.outcome = Outcome::Refused;
            result.reason = refusalOf(status);
            break;
    }
    return result;
}

// Sets one value, converting the file to UTF-16 where the author agreed and it is needed.
EditResult setValue(ProfileDocument& document, const std::u16string& section,
                    const std::u16string& key, const std::u16string& value, Consent consent) {
    EditStatus status = document.setValue(section, key, value);
    if (status == EditStatus::NotInCodePage && consent == Consent::Utf16) {
        document.convertToUtf16();
        status = document.setValue(section, key, value);
    }
    return resultOf(status, section);
}

}  // namespace

std::u16string refusalOf(EditStatus status) {
    switch (status) {
        case EditStatus::ValueNotStorable:
            return u"A value holds no line breaks: the menu file keeps one value a line.";
        case EditStatus::NameNotStorable:
            return u"That name cannot be written so that Windows reads it back.";
        case EditStatus::NotInCodePage:
            return u"The code page of these systems lacks a character of the text.";
        case EditStatus::Done:
            break;
    }
    return {};
}

void MenuSession::take(std::u16string path, ProfileDocument document, std::string disk,
                       bool converted) {
    path_ = std::move(path);
    document_ = std::move(document);
    disk_ = std::move(disk);
    bytes_ = document_.toBytes();
    // A converted file differs from the file on disk until it is saved.
    savedBytes_ = converted ? std::string() : bytes_;
    keptOverDisk_ = false;
    history_.clear();
    entry_ = 0;
    findings_.clear();
    refresh();
    tell(kBytesChanged | kValuesChanged | kSectionChanged | kEntryChanged | kFileChanged |
         kFindingsChanged);
}

void MenuSession::saved(std::string disk) {
    disk_ = std::move(disk);
    savedBytes_ = bytes_;
    keptOverDisk_ = false;
    history_.endStep();
    tell(kFileChanged);
}

void MenuSession::savedAs(std::u16string path, std::string disk) {
    path_ = std::move(path);
    saved(std::move(disk));
}

std::u16string MenuSession::folder() const {
    const std::size_t slash = path_.find_last_of(u"\\/");
    return slash == std::u16string::npos ? std::u16string() : path_.substr(0, slash + 1);
}

void MenuSession::setMenuProgram(std::u16string program) {
    if (program == menuProgram_) return;
    menuProgram_ = std::move(program);
    tell(kProgramChanged);
}

void MenuSession::setLanguage(std::int32_t index) {
    if (index == language_) return;
    language_ = index;
    refresh();
    tell(kSectionChanged | kValuesChanged);
}

bool MenuSession::inFile(std::int32_t index) const {
    return document_.sectionLine(decimal(index)).has_value();
}

bool MenuSession::canRemoveLanguage() const {
    return hasFile() && language_ != 0 && inFile(language_);
}

void MenuSession::setEntry(int slot) {
    if (slot < 0 || slot >= kMenuItemSlots || slot == entry_) return;
    entry_ = slot;
    tell(kEntryChanged | kValuesChanged);
}

EntryFields MenuSession::entryFields(int slot) const {
    return entryFieldsOf(document_.value(sectionName(), decimal(slot + 1)).value_or(u""));
}

std::u16string MenuSession::shown(const Field& field) const {
    if (field.source == FieldSource::Entry) {
        const std::u16string part = partOf(entryFields(entry_), field.part);
        return field.kind == FieldKind::Lines ? shownText(part) : part;
    }
    const std::u16string value =
        document_.value(sectionOf(field, sectionName()), utf16Of(field.key)).value_or(u"");
    if (field.kind == FieldKind::Check) return numberOf(value) > 0 ? u"1" : u"0";
    if (field.kind == FieldKind::Colour) {
        // The menu takes a number above 0 of the table, else keeps its default.
        const std::int32_t number = numberOf(value);
        if (number > 0 && isColourNumber(number)) return decimal(number);
        const ViewSettings defaults;
        for (const ViewKey& key : kViewKeys) {
            if (utf16Of(key.name) == utf16Of(field.key)) return decimal(defaults.*key.number);
        }
    }
    return field.kind == FieldKind::Lines ? shownText(value) : value;
}

template <typename Edit>
EditResult MenuSession::change(Edit edit, Consent consent, int group, unsigned flags,
                               const Field* typed) {
    if (!hasFile()) return {};
    ProfileDocument after = document_;
    EditResult result = edit(after, consent);
    if (result.outcome != Outcome::Done) return result;
    std::string bytes = after.toBytes();
    if (bytes == bytes_) return {};
    history_.record(document_, group);
    document_ = std::move(after);
    bytes_ = std::move(bytes);
    const std::int32_t before = section_;
    refresh();
    if (section_ != before) flags |= kSectionChanged | kValuesChanged;
    tell(kBytesChanged | flags, typed);
    return result;
}

EditResult MenuSession::setField(const Field& field, const std::u16string& shownValue,
                                 Consent consent, bool typing) {
    // What the field shows already changes nothing: an empty field of a missing key adds no
    // empty key, and a field filled from the document never writes it back.
    if (shownValue == shown(field)) return {};
    const std::u16string section = sectionOf(field, sectionName());
    const int group = typing ? field.id : 0;
    const unsigned flags = typing ? 0u : kValuesChanged;
    if (field.source == FieldSource::Entry) {
        const std::u16string text =
            field.kind == FieldKind::Lines ? storedText(shownValue) : shownValue;
        if (!fitsInField(text)) {
            return {Outcome::Refused,
                    u"A field cannot hold \"|\": the menu takes it for the start of the next "
                    u"field.",
                    {}};
        }
        EntryFields fields = entryFields(entry_);
        setPart(fields, field.part, text);
        const std::u16string key = decimal(entry_ + 1);
        const std::u16string line = entryLineOf(fields);
        return change(
            [&](ProfileDocument& document, Consent agreed) {
                return setValue(document, section, key, line, agreed);
            },
            consent, group, flags, typing ? &field : nullptr);
    }
    const std::u16string key = utf16Of(field.key);
    return change(
        [&](ProfileDocument& document, Consent agreed) {
            return setValue(document, section, key, shownValue, agreed);
        },
        consent, group, flags, typing ? &field : nullptr);
}

EditResult MenuSession::addLanguage(std::int32_t index, Consent consent) {
    if (index <= 0 || inFile(index)) return {};
    const std::u16string section = decimal(index);
    const EditResult result = change(
        [&](ProfileDocument& document, Consent agreed) {
            EditResult step = resultOf(document.addSection(section), section);
            // A new language starts from [0]'s texts, as the author will translate them.
            for (const std::string& name : languageKeys()) {
                if (step.outcome != Outcome::Done) break;
                const std::u16string key = utf16Of(name);
                if (const std::optional<std::u16string> value = document.value(u"0", key))
                    step = setValue(document, section, key, *value, agreed);
            }
            return step;
        },
        consent, 0, kValuesChanged);
    if (result.outcome == Outcome::Done) setLanguage(index);
    return result;
}

EditResult MenuSession::removeLanguage() {
    if (!canRemoveLanguage()) return {};
    const std::u16string section = decimal(language_);
    return change([&](ProfileDocument& document,
                      Consent) { return resultOf(document.removeSection(section), section); },
                  Consent::NotAsked, 0, kValuesChanged | kSectionChanged);
}

EditResult MenuSession::applyFix(const Fix& fix, std::size_t choice, Consent consent) {
    const std::optional<std::u16string> section = asciiText(fix.section);
    const std::optional<std::u16string> key = asciiText(fix.key);
    const std::optional<std::u16string> value =
        choice < fix.values.size() ? asciiText(fix.values[choice]) : std::nullopt;
    if (!section || !key || !value) return {Outcome::Refused, u"This fix cannot be applied.", {}};
    return change(
        [&](ProfileDocument& document, Consent agreed) {
            return setValue(document, *section, *key, *value, agreed);
        },
        consent, 0, kValuesChanged);
}

EditResult MenuSession::offerMenu(Consent consent) {
    const std::u16string program =
        menuProgram_.empty() ? u"autorun-menu.exe" : fileNameOf(menuProgram_);
    const std::u16string autorun = utf16Of(kAutorunSectionName);
    return change(
        [&](ProfileDocument& document, Consent agreed) {
            EditResult step = setValue(document, autorun, utf16Of(kOpenKey), program, agreed);
            if (step.outcome == Outcome::Done)
                step = setValue(document, autorun, utf16Of(kIconKey), program + u",0", agreed);
            return step;
        },
        consent, 0, kValuesChanged);
}

bool MenuSession::undo() {
    std::optional<ProfileDocument> before = history_.undo(document_);
    if (!before) return false;
    document_ = std::move(*before);
    bytes_ = document_.toBytes();
    refresh();
    tell(kBytesChanged | kValuesChanged | kSectionChanged);
    return true;
}

bool MenuSession::redo() {
    std::optional<ProfileDocument> after = history_.redo(document_);
    if (!after) return false;
    document_ = std::move(*after);
    bytes_ = document_.toBytes();
    refresh();
    tell(kBytesChanged | kValuesChanged | kSectionChanged);
    return true;
}

void MenuSession::takeFindings(std::vector<Finding> findings) {
    findings_.clear();
    for (const Severity severity :
         {Severity::Error, Severity::Warning, Severity::Note, Severity::Info}) {
        for (Finding& finding : findings) {
            if (finding.severity == severity) findings_.push_back(std::move(finding));
        }
    }
    tell(kFindingsChanged);
}

std::optional<FindingPlace> MenuSession::placeOf(const Finding& finding) const {
    if (finding.place.kind != Place::Kind::Key) return std::nullopt;
    const std::string& section = finding.place.section;
    const std::string& key = finding.place.key;
    FindingPlace place;
    place.language = language_;
    place.entry = entry_;
    const bool languageSection = !section.empty() && section.size() <= 2 &&
                                 section.find_first_not_of("0123456789") == std::string::npos;
    if (languageSection) place.language = numberFromText(section.c_str());
    if (languageSection && key.size() == 1 && key[0] >= '1' && key[0] < '1' + kMenuItemSlots) {
        place.entry = key[0] - '1';
        place.field = fieldOfPart(EntryPart::Caption);
        return place;
    }
    place.field = fieldOfKey(section, key);
    if (place.field == nullptr) return std::nullopt;
    return place;
}

void MenuSession::refresh() {
    // The menu's own choice: the section looked at when it has a title, else [0].
    const bool titled =
        !document_.value(decimal(language_), utf16Of(kTitleKey)).value_or(u"").empty();
    section_ = titled ? language_ : 0;
}

void MenuSession::tell(unsigned flags, const Field* typed) {
    if (listener_) listener_({flags, typed});
}

std::u16string MenuSession::sectionName() const { return decimal(section_); }
