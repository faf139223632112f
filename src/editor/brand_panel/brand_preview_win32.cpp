#include "editor/brand_panel/brand_preview.h"

#include <optional>
#include <vector>

#include "brand/picture/menu_picture_file.h"
#include "brand/system_text.h"
#include "checker/menu_program.h"
#include "editor/brand_panel/system_words.h"

bool brandPicturePreview(const std::wstring& pictureFile, bool fit, unsigned fitColour,
                         Picture& picture, std::wstring& error) {
    picture = Picture{};
    std::string path;
    if (!systemWordsOf(pictureFile, L"The picture", true, path, error)) return false;
    // The fit colour goes with fit alone, as the brand request carries it.
    const std::optional<std::uint32_t> bars =
        fit ? std::optional<std::uint32_t>(fitColour) : std::nullopt;
    std::vector<unsigned char> bitmap;
    std::string reason;
    if (!menuPictureFromFile(path, bars, bitmap, reason)) {
        error = wideFromUtf8(utf8FromSystemText(path) + ": " + reason);
        return false;
    }
    if (!pictureFromBitmap(bitmap.data(), bitmap.size(), picture)) {
        error = pictureFile + L": the picture made from it cannot be shown";
        return false;
    }
    return true;
}
