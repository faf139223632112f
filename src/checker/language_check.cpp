#include "checker/language_check.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <utility>

#include "checker/checking_code_page.h"
#include "checker/contrast_check.h"
#include "checker/entry_fields.h"
#include "checker/menu_encoding.h"
#include "checker/menu_lines.h"
#include "checker/menu_state.h"
#include "checker/near_name.h"
#include "checker/profile_scan.h"
#include "checker/report.h"
#include "checker/section_check.h"
#include "checker/text_fit.h"
#include "checker/value_text.h"
#include "config/entry_line.h"
#include "config/language.h"
#include "config/menu_item.h"
#include "config/menu_items.h"
#include "console/console_text.h"
#include "startup/menu_file.h"
#include "state/launcher_state.h"
#include "window/item_text.h"
#include "window/layout.h"
#include "window/menu_fonts.h"

namespace {

std::string languageName(unsigned langId) {
    char name[128] = {};
    if (GetLocaleInfoA(MAKELCID(langId, SORT_DEFAULT), LOCALE_SENGLANGUAGE, name, sizeof name) >
        0) {
        return name;
    }
    return "language";
}

// The languages the menu's table leads to section `index`, one group per language:
// "German (1031, 2055)".
std::string languagesOf(std::int32_t index) {
    std::vector<std::pair<std::string, std::string>> groups;
    for (unsigned id = 0; id <= 0xFFFF; ++id) {
        if (languageIndexForLangId(id) != index) continue;
        const std::string name = languageName(id);
        auto group = std::find_if(groups.begin(), groups.end(),
                                  [&name](const auto& g) { return g.first == name; });
        if (group == groups.end()) {
            groups.emplace_back(name, std::to_string(id));
        } else {
            group->second += ", " + std::to_string(id);
        }
    }
    std::string text;
    for (const auto& group : groups) {
        if (!text.empty()) text += ", ";
        text += group.first + " (" + group.second + ")";
    }
    return text;
}

std::string fontText(const char* face, std::int32_t size) {
    return std::string(face) + " " + std::to_string(size);
}

// "takes 9 lines in Arial 11 and the comment box shows 7: ...", or empty when it fits.
std::string overflow(const std::string& text, const MeasuringFont& font) {
    const CommentFit fit = font.commentFit(text);
    if (fit.lines <= fit.shownLines) return {};
    const ViewSettings& view = launcherState.view;
    return "takes " + std::to_string(fit.lines) + " lines in " +
           fontText(view.FontCommentName, view.FontCommentSize) + " and the comment box shows " +
           std::to_string(fit.shownLines) + ": the last " +
           std::to_string(fit.lines - fit.shownLines) + " are not shown";
}

bool isDrivePath(const std::string& command) {
    return command.size() >= 2 && command[1] == ':' &&
           ((command[0] >= 'A' && command[0] <= 'Z') || (command[0] >= 'a' && command[0] <= 'z'));
}

// Whether the command of an entry can start: the file on the medium for a relative command.
void checkCommand(const Place& place, const std::string& written, const MenuItem& item,
                  Report& report) {
    if (item.command[0] == '\0') return;
    const bool usesVariables = written.find('%') != std::string::npos;
    char* expanded = expandEnvironmentText(written.c_str());
    const bool absolute = isAbsoluteCommand(expanded != nullptr ? expanded : written.c_str());
    std::free(expanded);

    const std::string what = "command " + written;
    if (absolute) {
        // Started as written, wherever the menu runs: nothing on the medium to look for.
        const std::string placeholder = exampleHost(written);
        if (!placeholder.empty()) {
            report.note(place, what + ": " + placeholder +
                                   " is kept for examples and leads to no product: put your "
                                   "own address");
        }
        if (isDrivePath(written)) {
            report.warning(place,
                           what +
                               ": a fixed drive, started as written; the medium's own drive letter "
                               "differs from machine to machine, so write files of the medium "
                               "relative to its root");
        }
        return;
    }
    if (fileExists(item.command)) return;
    if (usesVariables) {
        report.warning(place, what + ": not found here (" + item.command +
                                  "); it depends on environment variables");
        return;
    }
    std::string text = what + ": no such file on the medium (" + item.command + ")";
    const std::size_t blank = written.find(' ');
    if (blank != std::string::npos && blank > 0 &&
        fileExists((std::string(launcherState.mediaRoot) + written.substr(0, blank)).c_str())) {
        text += "; parameters go into the third field: " + written.substr(0, blank) + "|" +
                written.substr(blank + 1);
    } else if (written.front() == ' ' || written.back() == ' ') {
        text += "; blanks around the bars belong to the field";
    }
    report.error(place, text);
    if (isWebAddressWithoutScheme(written)) {
        report.note(place, what +
                               ": the shell takes it for a file on the medium; a web address "
                               "starts with its scheme: https://" +
                               written);
    }
}

// Findings for entry key `slot` + 1 of the section in force; false when the key gives no
// entry at all.
bool checkEntry(const std::string& section, int slot, const MeasuringFont& itemFont,
                const MeasuringFont& commentFont, CaptionContrast* captions, Report& report) {
    const std::string key = std::to_string(slot + 1);
    const Place place = keyPlace(section, key);
    const std::string written = rawValue(section, key);
    if (written.empty()) return false;

    const MenuItem& item = *launcherState.menuItems[slot];
    const std::string line = written.substr(0, kTextLineSize - 1);
    const std::vector<std::string> fields = entryFields(line);

    std::string what = item.empty ? "(no caption)" : quoted(item.caption);
    if (item.command[0] == '\0') {
        what += " starts nothing";
    } else {
        what += " starts " + std::string(item.command);
        if (item.parameters[0] != '\0') what += " " + std::string(item.parameters);
    }
    what += item.closeAfterLaunch ? ", closes the menu" : ", the menu stays open";
    report.info(place, what);

    if (written.size() > line.size()) {
        report.warning(place, "the line has " + std::to_string(written.size()) +
                                  " characters: the menu reads only the first " +
                                  std::to_string(line.size()));
    }
    if (fields.size() < kEntryFieldCount) {
        report.warning(place,
                       "only " + std::to_string(fields.size()) +
                           (fields.size() == 1 ? " field" : " fields") +
                           ": an entry needs five, caption|command|parameters|comment|error text "
                           "(the missing ones are taken as empty)");
    }
    if (item.empty) {
        report.warning(
            place, item.command[0] != '\0'
                       ? "no caption: the entry is not shown, yet key " + key + " still starts it"
                       : "no caption: the entry is not shown");
    } else if (std::strstr(item.caption, "\\n") != nullptr) {
        report.warning(
            place,
            "caption: \\n is shown as written; line breaks work only in comments and error texts");
    }
    if (fields.size() > kEntryFieldCount) {
        const std::string& close = fields[kEntryFieldCount];
        if (!isBlank(close) && !isWrittenZero(close) && item.closeAfterLaunch == 0) {
            report.warning(place, "close flag " + quoted(close) + " is not 1: the menu stays open");
        }
    }
    if (!item.empty && item.command[0] == '\0' && item.closeAfterLaunch == 0) {
        report.warning(place,
                       "neither starts anything nor closes the menu: give it a command in "
                       "the second field, or 1 in the sixth to close the menu: " +
                           key + "=" + lineThatCloses(fields));
    }
    if (fields.size() > 1) checkCommand(place, fields[1], item, report);

    if (!item.empty) {
        char text[kItemTextSize];
        const std::size_t length =
            formatItemText(text, slot, item.caption, launcherState.view.ShowNumbers);
        const int width = itemFont.width(text, length);
        if (width > kCaptionRoomWidth) {
            const ViewSettings& view = launcherState.view;
            report.warning(
                place, std::string(view.ShowNumbers == 1 ? "caption with its number" : "caption") +
                           " is " + std::to_string(width) + " pixels wide in " +
                           fontText(view.FontName, view.FontSize) + " and its place shows " +
                           std::to_string(kCaptionRoomWidth) + ": the rest is cut");
        }
        if (captions != nullptr) captions->check(place, slot, width, itemFont.lineHeight(), report);
    }
    const std::string comment = overflow(item.comment, commentFont);
    if (!comment.empty()) report.warning(place, "comment " + comment);
    return true;
}

// Title, prompt and entries of the section now in force, and its keys.
void checkSectionInForce(CaptionContrast* captions, Report& report) {
    const std::string section = launcherState.sectionName;
    checkSectionKeys(section, true, sectionLines(section), report);

    const std::string title = rawValue(section, kTitleKey);
    if (title.empty()) {
        report.warning(keyPlace(section, kTitleKey), "missing: the menu window has no title");
    } else {
        report.info(keyPlace(section, kTitleKey), quoted(launcherState.menuTitle));
        if (title.size() >= static_cast<std::size_t>(kPathSize)) {
            report.warning(keyPlace(section, kTitleKey),
                           std::to_string(title.size()) +
                               " characters: the menu takes only the first " +
                               std::to_string(kPathSize - 1));
        }
    }

    // The menu's own fonts, made for the character set of this section.
    const unsigned codePage = codePageForLanguageIndex(launcherState.languageIndex);
    const MeasuringFont itemFont(createItemFont(), codePage);
    const MeasuringFont commentFont(createCommentFont(), codePage);

    const Place promptPlace = keyPlace(section, kPromptKey);
    const std::string prompt = rawValue(section, kPromptKey);
    if (prompt.empty()) {
        report.info(promptPlace,
                    "none: the comment box stays empty until the pointer is over an entry");
    } else {
        if (prompt.size() >= static_cast<std::size_t>(kTextLineSize)) {
            report.warning(promptPlace, std::to_string(prompt.size()) +
                                            " characters: the menu takes only the first " +
                                            std::to_string(kTextLineSize - 1));
        }
        if (prompt.find("\\n") != std::string::npos) {
            report.warning(
                promptPlace,
                "\\n is shown as written; line breaks work only in comments and error texts");
        }
        const std::string problem = overflow(launcherState.menuPrompt, commentFont);
        if (!problem.empty()) report.warning(promptPlace, problem);
    }

    int entries = 0;
    for (int slot = 0; slot < kMenuItemSlots; ++slot) {
        if (checkEntry(section, slot, itemFont, commentFont, captions, report)) ++entries;
    }
    if (entries == 0)
        report.warning(sectionPlace(section), "no entries (keys 1 to 5): the menu shows none");
}

// "U+00E9" for a character given in UTF-8.
std::string codePoint(const std::string& character) {
    const std::wstring wide = wideFromCodePage(character, CP_UTF8);
    unsigned long point = wide.empty() ? 0 : static_cast<unsigned long>(wide[0]);
    if (wide.size() == 2) point = 0x10000 + ((point - 0xD800) << 10) + (wide[1] - 0xDC00u);
    char text[16];
    std::snprintf(text, sizeof text, "U+%04lX", point);
    return text;
}

// For a UTF-16 file: each text of `section` with characters its systems' code page lacks.
void checkCharacters(const std::string& section, unsigned codePage, const MenuLines& lines,
                     Report& report) {
    std::vector<std::string> seen;
    for (const auto& keyLine : lines.keysOf(section)) {
        const std::string& key = keyLine.second;
        bool known = false;
        for (const std::string& languageKey : languageKeys())
            known = known || sameName(languageKey, key);
        bool earlier = false;
        for (const std::string& before : seen) earlier = earlier || sameName(before, key);
        if (!known || earlier) continue;
        seen.push_back(key);

        const std::string text = lines.text(keyLine.first);
        const std::size_t equals = text.find('=');
        if (equals == std::string::npos) continue;
        const std::vector<std::string> outside =
            charactersOutside(text.substr(equals + 1), codePage);
        if (outside.empty()) continue;
        std::string named;
        for (const std::string& character : outside) {
            if (!named.empty()) named += ", ";
            named += quoted(character) + " (" + codePoint(character) + ")";
        }
        const unsigned kept = report.textCodePage();
        report.setTextCodePage(CP_UTF8);
        report.warning(keyPlace(section, key), "code page " + std::to_string(codePage) +
                                                   " of this section's systems has no " + named +
                                                   ": the menu shows \"?\" instead");
        report.setTextCodePage(kept);
    }
}

// Checks section `index` (or [0] for 0) the way systems of its code page read it.
void checkSectionOnItsSystems(std::int32_t index, MenuFileViews& views, const MenuLines& lines,
                              CaptionContrast* captions, Report& report) {
    const unsigned codePage = codePageForLanguageIndex(index);
    const std::string section = std::to_string(index);
    const std::string file = views.fileFor(codePage);
    if (file.empty() || file.size() >= sizeof launcherState.menuFilePath) {
        report.error(sectionPlace(section), "cannot be read in code page " +
                                                std::to_string(codePage) +
                                                ": no room for a converted copy in the "
                                                "temporary folder");
        return;
    }
    // The menu's state for this section alone: its file, its language and its entries.
    const MenuStateScope scope;
    std::memcpy(launcherState.menuFilePath, file.c_str(), file.size() + 1);
    report.setTextCodePage(codePage);

    resetLanguageState();
    loadLanguageSectionFor(index);
    if (index == 0) {
        loadMenuItems();
        report.info(sectionPlace("0"),
                    "English (1033) and every language without a titled section of its own -> [0]");
        checkSectionInForce(captions, report);
    } else if (launcherState.languageIndex == index) {
        loadMenuItems();
        report.info(sectionPlace(section), languagesOf(index) + " -> [" + section + "]");
        checkSectionInForce(captions, report);
    } else {
        report.warning(sectionPlace(section), languagesOf(index) + " -> [" + section +
                                                  "] has no Title: [0] is used, "
                                                  "and the Prompt and entries of [" +
                                                  section + "] are never shown");
        checkSectionKeys(section, true, sectionLines(section), report);
    }
    if (views.utf16()) checkCharacters(section, codePage, lines, report);

    report.setTextCodePage(CP_ACP);
}

// Whether any line of the first section named `section` holds a byte outside ASCII.
bool beyondAscii(const std::string& section, const MenuLines& lines) {
    for (const auto& keyLine : lines.keysOf(section)) {
        for (const char c : lines.text(keyLine.first)) {
            if (static_cast<unsigned char>(c) >= 0x80) return true;
        }
    }
    return false;
}

// Names the sections whose texts the code page of the PC the checker runs on garbles.
void checkCheckingCodePage(const std::vector<std::int32_t>& present, const std::string& menuFile,
                           const MenuLines& lines, Report& report) {
    std::vector<SectionText> sections;
    for (const std::int32_t index : present) {
        sections.push_back(
            {index, codePageForLanguageIndex(index), beyondAscii(std::to_string(index), lines)});
    }
    const unsigned here = GetACP();
    const std::vector<std::int32_t> garbled = sectionsGarbledOn(here, sections);
    if (garbled.empty()) return;
    std::string named;
    for (const std::int32_t index : garbled) {
        if (!named.empty()) named += ", ";
        named += "[" + std::to_string(index) + "] (code page " +
                 std::to_string(codePageForLanguageIndex(index)) + ")";
    }
    report.info(menuFile, "this PC's ANSI code page, " + std::to_string(here) +
                              ", takes several bytes for a character, and the profile reader "
                              "hands every text through it: the texts of " +
                              named +
                              " come out garbled here and cannot be judged; check them on a PC "
                              "whose ANSI code page is single-byte, such as a Western European "
                              "Windows");
}

}  // namespace

void checkLanguageSections(const std::vector<std::string>& names, MenuFileViews& views,
                           const MenuLines& lines, const Picture* picture, Report& report) {
    std::vector<std::int32_t> present;
    for (const std::string& name : names) {
        const SectionClass section = classifySection(name);
        if (section.kind == SectionKind::Language &&
            std::find(present.begin(), present.end(), section.languageIndex) == present.end()) {
            present.push_back(section.languageIndex);
        }
    }
    std::sort(present.begin(), present.end());

    checkCheckingCodePage(present, views.menuFile(), lines, report);

    // Section 0 serves every language that ends up without a section of its own.
    if (present.empty() || present.front() != 0) {
        report.error(sectionPlace("0"),
                     "missing: English and every language without a titled section of its "
                     "own get a menu without title and entries");
    }
    // Every caption of every section on the picture, then what colours pass behind all.
    std::optional<CaptionContrast> captions;
    if (picture != nullptr) captions.emplace(*picture);
    for (const std::int32_t index : present)
        checkSectionOnItsSystems(index, views, lines, captions ? &*captions : nullptr, report);
    if (captions) captions->suggestColours(report);
}
