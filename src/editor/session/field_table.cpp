#include "editor/session/field_table.h"

#include <iterator>

#include "checker/autorun_check.h"
#include "checker/section_check.h"
#include "editor/editor_ids.h"

namespace {

constexpr int kWide = 340;  // a page's width

// A field of [View]: its kind follows from how the menu reads the key.
constexpr FieldKind kindOf(const ViewKey& key) {
    switch (key.kind) {
        case ViewKind::Flag:
            return FieldKind::Check;
        case ViewKind::Number:
            return FieldKind::Number;
        case ViewKind::Colour:
            return FieldKind::Colour;
        case ViewKind::Text:
            return FieldKind::Face;
    }
    return FieldKind::Text;
}

constexpr Field view(int id, int labelId, const wchar_t* label, const ViewKey& key, int x, int y,
                     int width, int height) {
    return {id,
            labelId,
            Page::Look,
            label,
            FieldSource::View,
            key.name,
            EntryPart::Caption,
            kindOf(key),
            x,
            y,
            width,
            height};
}

constexpr Field entry(int id, int labelId, const wchar_t* label, EntryPart part, FieldKind kind,
                      int y, int width, int height) {
    return {id, labelId, Page::Texts, label, FieldSource::Entry, nullptr, part, kind,
            0,  y,       width,       height};
}

const Field kFields[] = {
    {IDC_TITLE, IDC_TITLE_LABEL, Page::Texts, L"&Title (the window's caption):",
     FieldSource::Language, kTitleKey, EntryPart::Caption, FieldKind::Text, 0, 53, kWide, 23},
    {IDC_PROMPT, IDC_PROMPT_LABEL, Page::Texts, L"&Prompt (shown until an entry is lit):",
     FieldSource::Language, kPromptKey, EntryPart::Caption, FieldKind::Text, 0, 99, kWide, 23},
    entry(IDC_CAPTION, IDC_CAPTION_LABEL, L"&Caption:", EntryPart::Caption, FieldKind::Text, 179,
          kWide, 23),
    entry(IDC_COMMAND, IDC_COMMAND_LABEL, L"C&ommand (a file on the medium, or a web address):",
          EntryPart::Command, FieldKind::Text, 225, kWide - 86, 23),
    entry(IDC_PARAMETERS, IDC_PARAMETERS_LABEL, L"Pa&rameters:", EntryPart::Parameters,
          FieldKind::Text, 271, kWide, 23),
    entry(IDC_COMMENT, IDC_COMMENT_LABEL, L"Comment (&shown while the entry is lit):",
          EntryPart::Comment, FieldKind::Lines, 317, kWide, 62),
    entry(IDC_ERROR_TEXT, IDC_ERROR_LABEL, L"Error te&xt (when the command cannot start):",
          EntryPart::ErrorText, FieldKind::Lines, 402, kWide, 46),
    entry(IDC_CLOSES, 0, L"C&lose the menu after starting", EntryPart::Closes, FieldKind::Check,
          454, kWide, 20),

    view(IDC_FONT_NAME, IDC_FONT_LABEL, L"Captions' fo&nt:", viewKeyOf(&ViewSettings::FontName), 0,
         49, 240, 300),
    view(IDC_FONT_SIZE, IDC_FONT_SIZE_LABEL, L"&Size:", viewKeyOf(&ViewSettings::FontSize), 250, 49,
         60, 23),
    view(IDC_FONT_BOLD, 0, L"&Bold", viewKeyOf(&ViewSettings::FontBold), 0, 80, 90, 20),
    view(IDC_FONT_ITALIC, 0, L"I&talic", viewKeyOf(&ViewSettings::FontItalic), 100, 80, 90, 20),
    view(IDC_FONT_UNDERLINED, 0, L"&Underlined", viewKeyOf(&ViewSettings::FontUnderlined), 200, 80,
         110, 20),
    view(IDC_COMMENT_FONT_NAME, IDC_COMMENT_FONT_LABEL, L"C&omments' font:",
         viewKeyOf(&ViewSettings::FontCommentName), 0, 131, 240, 300),
    view(IDC_COMMENT_FONT_SIZE, IDC_COMMENT_FONT_SIZE_LABEL, L"Si&ze:",
         viewKeyOf(&ViewSettings::FontCommentSize), 250, 131, 60, 23),
    view(IDC_FONT_COLOR, IDC_FONT_COLOR_LABEL, L"Caption co&lour:",
         viewKeyOf(&ViewSettings::FontColor), 0, 189, 164, 400),
    view(IDC_FONT_ACTIVE_COLOR, IDC_FONT_ACTIVE_COLOR_LABEL, L"Lit caption colou&r:",
         viewKeyOf(&ViewSettings::FontActiveColor), 176, 189, 164, 400),
    view(IDC_FONT_COMMENT_COLOR, IDC_FONT_COMMENT_COLOR_LABEL, L"Comment &colour:",
         viewKeyOf(&ViewSettings::FontCommentColor), 0, 239, 164, 400),
    view(IDC_BK_COMMENT_COLOR, IDC_BK_COMMENT_COLOR_LABEL, L"Comment bo&x colour:",
         viewKeyOf(&ViewSettings::BkCommentColor), 176, 239, 164, 400),

    {IDC_AUTORUN_OPEN, IDC_AUTORUN_OPEN_LABEL, Page::Windows,
     L"&Open (the program Windows offers to start):", FieldSource::Autorun, kOpenKey,
     EntryPart::Caption, FieldKind::Text, 0, 17, kWide, 23},
    {IDC_AUTORUN_ICON, IDC_AUTORUN_ICON_LABEL, Page::Windows,
     L"Ico&n (the medium's icon in Explorer):", FieldSource::Autorun, kIconKey, EntryPart::Caption,
     FieldKind::Text, 0, 63, kWide, 23},
    {IDC_AUTORUN_LABEL, IDC_AUTORUN_LABEL_LABEL, Page::Windows,
     L"&Label (the medium's name in Explorer):", FieldSource::Autorun, kLabelKey,
     EntryPart::Caption, FieldKind::Text, 0, 109, kWide, 23},
};

// Profile names compare without regard to ASCII case, as the profile reader compares them.
bool sameName(const std::string& a, const char* b) {
    std::size_t i = 0;
    for (; i < a.size() && b[i] != '\0'; ++i) {
        char x = a[i], y = b[i];
        if (x >= 'A' && x <= 'Z') x = static_cast<char>(x - 'A' + 'a');
        if (y >= 'A' && y <= 'Z') y = static_cast<char>(y - 'A' + 'a');
        if (x != y) return false;
    }
    return i == a.size() && b[i] == '\0';
}

std::u16string widened(const char* ascii) {
    std::u16string text;
    for (; *ascii != '\0'; ++ascii) text += static_cast<char16_t>(*ascii);
    return text;
}

}  // namespace

const Field* fieldsBegin() { return std::begin(kFields); }
const Field* fieldsEnd() { return std::end(kFields); }

const Field* fieldOf(int id) {
    for (const Field& field : kFields) {
        if (field.id == id) return &field;
    }
    return nullptr;
}

const Field* fieldOfKey(const std::string& section, const std::string& key) {
    const bool languageSection =
        !section.empty() && section.find_first_not_of("0123456789") == std::string::npos;
    for (const Field& field : kFields) {
        switch (field.source) {
            case FieldSource::Language:
                if (languageSection && sameName(key, field.key)) return &field;
                break;
            case FieldSource::View:
                if (sameName(section, kViewSectionName) && sameName(key, field.key)) return &field;
                break;
            case FieldSource::Autorun:
                if (sameName(section, kAutorunSectionName) && sameName(key, field.key))
                    return &field;
                break;
            case FieldSource::Entry:
                break;
        }
    }
    return nullptr;
}

const Field* fieldOfPart(EntryPart part) {
    for (const Field& field : kFields) {
        if (field.source == FieldSource::Entry && field.part == part) return &field;
    }
    return nullptr;
}

std::u16string sectionOf(const Field& field, const std::u16string& languageSection) {
    switch (field.source) {
        case FieldSource::Language:
        case FieldSource::Entry:
            return languageSection;
        case FieldSource::View:
            return widened(kViewSectionName);
        case FieldSource::Autorun:
            return widened(kAutorunSectionName);
    }
    return {};
}
