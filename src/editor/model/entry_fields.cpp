#include "editor/model/entry_fields.h"

#include <cstdlib>

#include "config/entry_line.h"
#include "config/number_text.h"
#include "editor/model/utf8_text.h"

namespace {

bool readsAsClosing(const std::u16string& closeField) {
    return numberFromText(utf8Of(closeField).c_str()) == 1;
}

}  // namespace

EntryFields entryFieldsOf(const std::u16string& line) {
    // The bar is one byte in UTF-8 and never part of another character, so the menu's cut
    // of the UTF-8 text is the cut of the line.
    const std::string bytes = utf8Of(line);
    EntryLineFields cut;
    cutEntryLine(bytes.c_str(), cut);
    EntryFields fields;
    std::u16string* into[kEntryFieldCount] = {&fields.caption, &fields.command, &fields.parameters,
                                              &fields.comment, &fields.errorText};
    for (std::size_t i = 0; i < kEntryFieldCount; ++i) {
        if (cut.fields[i] != nullptr) *into[i] = utf16Of(cut.fields[i]);
        std::free(cut.fields[i]);
    }
    if (cut.closeFlag != nullptr) {
        fields.closeField = utf16Of(cut.closeFlag);
        fields.hasCloseField = true;
        fields.closes = readsAsClosing(fields.closeField);
    }
    return fields;
}

std::u16string entryLineOf(const EntryFields& fields) {
    std::u16string closeField = fields.closeField;
    bool hasCloseField = fields.hasCloseField;
    if (fields.closes != readsAsClosing(closeField)) {
        closeField = fields.closes ? u"1" : u"";
        hasCloseField = fields.closes;
    }
    const std::u16string five = fields.caption + u'|' + fields.command + u'|' + fields.parameters +
                                u'|' + fields.comment + u'|' + fields.errorText;
    if (!hasCloseField && five == u"||||") return {};
    return hasCloseField ? five + u'|' + closeField : five;
}

std::u16string partOf(const EntryFields& fields, EntryPart part) {
    switch (part) {
        case EntryPart::Caption:
            return fields.caption;
        case EntryPart::Command:
            return fields.command;
        case EntryPart::Parameters:
            return fields.parameters;
        case EntryPart::Comment:
            return fields.comment;
        case EntryPart::ErrorText:
            return fields.errorText;
        case EntryPart::Closes:
            return fields.closes ? u"1" : u"0";
    }
    return {};
}

void setPart(EntryFields& fields, EntryPart part, const std::u16string& text) {
    switch (part) {
        case EntryPart::Caption:
            fields.caption = text;
            break;
        case EntryPart::Command:
            fields.command = text;
            break;
        case EntryPart::Parameters:
            fields.parameters = text;
            break;
        case EntryPart::Comment:
            fields.comment = text;
            break;
        case EntryPart::ErrorText:
            fields.errorText = text;
            break;
        case EntryPart::Closes:
            fields.closes = text == u"1";
            break;
    }
}

bool fitsInField(const std::u16string& text) { return text.find(u'|') == std::u16string::npos; }

std::u16string shownText(const std::u16string& stored) {
    std::u16string shown;
    for (std::size_t i = 0; i < stored.size(); ++i) {
        if (stored[i] == u'\\' && i + 1 < stored.size() && stored[i + 1] == u'n') {
            shown += u"\r\n";
            ++i;
        } else {
            shown += stored[i];
        }
    }
    return shown;
}

std::u16string storedText(const std::u16string& shown) {
    std::u16string stored;
    for (std::size_t i = 0; i < shown.size(); ++i) {
        if (shown[i] == u'\r' || shown[i] == u'\n') {
            stored += u"\\n";
            if (shown[i] == u'\r' && i + 1 < shown.size() && shown[i + 1] == u'\n') ++i;
        } else {
            stored += shown[i];
        }
    }
    return stored;
}
