// Writing the branded program: the menu's resources with the author's picture, icon and
// names in place of the menu's own, into a file of its own, signature removed and checksum
// made valid; and checking that file before it takes the output's name.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "brand/icon_file.h"
#include "pe_header/pe_header.h"
#include "brand/resource_list.h"

// Resource numbers of the menu the tool replaces or must find.
constexpr WORD kMenuDialog = 103;
constexpr WORD kMenuPicture = 111;
constexpr WORD kMenuIconGroup = 101;
constexpr WORD kMenuManifest = 1;
constexpr WORD kMenuVersion = 1;

// The resources the branded program holds: every resource of `menu` in its order, with
// picture 111 replaced by `picture`, the version by `version`, and, when `icons` is not
// empty, icon group 101 and the icons it lists replaced by `icons` (numbered after any
// icon kept). Each new resource takes the language of the one it replaces.
std::vector<Resource> brandedResources(const std::vector<Resource>& menu, const Bytes& picture,
                                       const std::vector<IconImage>& icons, const Bytes& version);

// Writes `menu` (the input's bytes) to `path` with its certificate table removed when
// `header` has one, its resources replaced by `resources`, and a valid PE checksum. False
// with a reason when a step fails; `path` may then hold a partial file.
bool writeBrandedProgram(const std::string& path, const Bytes& menu, const PeHeader& header,
                         const std::vector<Resource>& resources, std::string& reason);

// Loads the program at `path` as an image and checks that it holds exactly `resources`,
// the header flags of `menuHeader` (ASLR, DEP, high-entropy ASLR, run-from-swap), no
// certificate table and a valid checksum. False with what is wrong.
bool verifyBrandedProgram(const std::string& path, const PeHeader& menuHeader,
                          const std::vector<Resource>& resources, std::string& reason);
