// Writing the branded program: the menu's bytes with the branded resources, into a file of
// its own, signature removed and checksum made valid; and checking that file before it
// takes the output's name.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "brand/resource_list.h"
#include "pe_header/pe_header.h"

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
