// The picture a branded menu would show, for the editor's preview.
#pragma once

#include <string>

#include "checker/contrast.h"

// The 600 x 397 picture the menu branded with `pictureFile` shows (letterboxed on
// `fitColour`, 0x00BBGGRR, with `fit`; its centre cut to cover the window otherwise), made
// as the branded program's picture is made, so it is the picture that will be written.
// False with the reason for the author when the file cannot be made into one; `picture` is
// then empty.
bool brandPicturePreview(const std::wstring& pictureFile, bool fit, unsigned fitColour,
                         Picture& picture, std::wstring& error);
