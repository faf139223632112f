// Branding the menu program beside the menu file from the editor: what the author chose,
// and the branded copy put in the program's place in one step that either happens whole or
// leaves the program as it was.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "brand/brand_request.h"

// The colour of the bars around a picture shown whole: white, which keeps the menu's black
// captions readable wherever they fall.
constexpr unsigned kBrandBarColour = 0x00FFFFFF;

// What the author chose. An empty path or an unset name keeps the menu's own.
struct BrandChoices {
    std::wstring picture;  // a PNG, JPEG, BMP, GIF or TIFF picture
    bool fit = false;      // with a picture: all of it on bars of fitColour, not its centre
    unsigned fitColour = kBrandBarColour;  // 0x00BBGGRR
    std::wstring icon;                     // an icon file, or a square picture
    std::optional<std::wstring> company;
    std::optional<std::wstring> product;
    std::optional<std::wstring> description;
    std::optional<std::wstring> copyright;
};

// The version texts the panel edits, as the program holds them.
struct BrandNames {
    std::wstring company;
    std::wstring product;
    std::wstring description;
    std::wstring copyright;
};

// Each name the panel edits: its label (with its mnemonic), its word in messages, where the
// choices and the names hold it, and its entry of the version block.
struct BrandNameField {
    const wchar_t* label;
    const wchar_t* name;
    std::optional<std::wstring> BrandChoices::*choice;
    std::wstring BrandNames::*current;
    const VersionName* version;
};
inline constexpr BrandNameField kBrandNameFields[] = {
    {L"&Company:", L"Company", &BrandChoices::company, &BrandNames::company, &kVersionNames[0]},
    {L"P&roduct:", L"Product", &BrandChoices::product, &BrandNames::product, &kVersionNames[1]},
    {L"&Description:", L"Description", &BrandChoices::description, &BrandNames::description,
     &kVersionNames[2]},
    {L"Cop&yright:", L"Copyright", &BrandChoices::copyright, &BrandNames::copyright,
     &kVersionNames[3]},
};

// What the author learns when a signed program is branded.
inline constexpr wchar_t kSignatureNote[] =
    L"The menu program was signed; the branded copy is not: sign it again before you release "
    L"the medium.";

struct BrandSaveResult {
    bool saved = false;
    std::wstring error;               // when not saved: why, in words for the author
    std::vector<std::wstring> notes;  // what the author must know, such as kSignatureNote
};

// The names of the menu program `program`. False, with the reason, when it cannot be read
// as this release's menu.
bool readBrandNames(const std::wstring& program, BrandNames& names, std::wstring& error);

// Replaces `program` by its copy branded as `choices` say. The copy is written beside it
// under a temporary name and checked (brand_menu.h) before it takes the program's name,
// so on any failure the program keeps its bytes and no temporary file is left. Paths and
// names must be texts of the system's code page; one that is not is refused with the
// characters it lacks, and so is an empty name, a name longer than the version block takes
// and a choice that changes nothing.
BrandSaveResult saveBrandedProgram(const std::wstring& program, const BrandChoices& choices);
