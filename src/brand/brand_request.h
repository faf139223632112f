// What an author asks of the brand tool, and what came of it: the data that passes between
// the command line (or any other front end) and the one call that brands a menu program.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

// Paths and texts are in the system's code page, as a command line gives them. Whatever is
// not asked for stays as the menu has it.
struct BrandRequest {
    std::string menu;                        // MENU.exe: autorun-menu.exe of this release
    std::string output;                      // OUTPUT.exe: the file to write
    std::optional<std::string> picture;      // the window's picture: a picture file
    std::optional<std::uint32_t> fitColour;  // with a picture: the whole picture shown on
                                             // bars of this colour (0x00BBGGRR), not cropped
    std::optional<std::string> icon;         // an icon file, or a square picture
    std::optional<std::string> company;
    std::optional<std::string> product;
    std::optional<std::string> description;
    std::optional<std::string> copyright;
    // Signing: the program written is signed with the author's certificate, from a .pfx
    // file or the user's certificate store, time-stamped when a server is given.
    std::optional<std::string> signPfx;       // --sign CERT.pfx
    std::optional<std::string> signStore;     // --sign-store THUMBPRINT
    std::optional<std::string> timestampUrl;  // --timestamp URL
    std::optional<std::string> passwordFile;  // --password-file FILE (the .pfx password)
    bool signOnly = false;  // --sign-only: MENU.exe signed as it is, in place; no OUTPUT.exe
    // Asks for the .pfx password when no file and no environment variable gives it (the
    // console tool asks at the console); false with the problem. Empty: never asked.
    std::function<bool(std::wstring& password, std::string& problem)> askPassword;
};

// True when `request` asks for a signature.
inline bool asksToSign(const BrandRequest& request) {
    return request.signPfx.has_value() || request.signStore.has_value();
}

// The version texts a request may set: the option that gives each, its key in the version
// block, and where the request holds it.
struct VersionName {
    const char* option;
    const char16_t* key;
    std::optional<std::string> BrandRequest::*text;
};
inline constexpr VersionName kVersionNames[] = {
    {"--company", u"CompanyName", &BrandRequest::company},
    {"--product", u"ProductName", &BrandRequest::product},
    {"--description", u"FileDescription", &BrandRequest::description},
    {"--copyright", u"LegalCopyright", &BrandRequest::copyright},
};

// Why `request` asks for nothing that can be done: no change at all, a fit colour without
// a picture, signing options without a certificate or with two, or --sign-only with
// changes. Empty when it asks for something.
std::string requestProblem(const BrandRequest& request);

enum class BrandOutcome {
    written,  // OUTPUT.exe written and checked
    refused,  // nothing written because of the input: a file, a text or the request
    failed,   // nothing written because writing or checking failed, or the menu is damaged
};

// The tool's exit code for `outcome`: 0, 2 and 1.
int exitCodeOf(BrandOutcome outcome);

struct BrandResult {
    BrandOutcome outcome = BrandOutcome::failed;
    // The menu program was signed: the signature does not cover the copy, which carries
    // none, so it must be signed again. Known once the menu was read, whatever the outcome;
    // each front end tells it in its own words.
    bool signatureRemoved = false;
    // Anything else said along the way (UTF-8); kept whatever the outcome.
    std::vector<std::string> notes;
    // When not written: why, in UTF-8, beginning with the file or option it is about.
    std::string reason;
    // When written: the full path of OUTPUT.exe (or of MENU.exe, signed in place).
    std::string output;
    // When written and signed: the signer's name read back from the written file (UTF-8),
    // whether a signature was replaced, and what Windows said of the signer when this
    // computer does not trust it (empty when it does).
    std::string signer;
    bool signatureReplaced = false;
    std::string trust;
};
