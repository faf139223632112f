#include "brand/picture/menu_picture_file.h"

#include "brand/picture/decode_image.h"
#include "brand/picture/menu_picture.h"

bool menuPictureFromFile(const std::string& path, std::optional<std::uint32_t> fitColour,
                         std::vector<unsigned char>& picture, std::string& reason) {
    picture.clear();
    RgbaImage image;
    if (!decodeImageFile(path.c_str(), image, reason)) return false;
    // Without a fit colour, transparent pixels are laid over black.
    picture = menuPictureFromImage(image, fitColour.has_value(), fitColour.value_or(0));
    if (picture.empty()) {
        reason = "could not be made into the menu's picture";
        return false;
    }
    return true;
}
