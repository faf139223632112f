// The menu's background picture made from an author's picture file: the one way both the
// brand tool and the editor's preview make it, so the preview is what gets written.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// Decodes the picture at `path` (the system's code page) and makes it the 600 x 397 picture
// the menu shows (menu_picture.h), letterboxed on `fitColour` when one is given and cut to
// cover the window otherwise. False with a one-line reason for the author (UTF-8, about the
// file) when it cannot be decoded or made; `picture` is then empty.
bool menuPictureFromFile(const std::string& path, std::optional<std::uint32_t> fitColour,
                         std::vector<unsigned char>& picture, std::string& reason);
