#include "brand/picture/menu_picture.h"

std::vector<unsigned char> menuPictureFromImage(const RgbaImage&, bool, unsigned) {
  return {};
}
