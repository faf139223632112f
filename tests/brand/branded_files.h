// Reading and making menu program files for the tests of branding: numbers in a program's
// bytes, its version texts, a signed copy, and the files a folder holds.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// The little-endian number of `bytes` bytes at `offset` of `data`.
std::uint32_t number(const std::string& data, std::size_t offset, std::size_t bytes);

// Puts `value` into `bytes` bytes at `offset` of `file`.
void put(std::string& file, std::size_t offset, std::size_t bytes, std::uint32_t value);

// `menu` with a certificate table of `count` certificates appended, as a signing tool leaves
// it (branding removes the table whatever it holds).
std::string signedCopy(std::string menu, std::size_t count = 1);

// A version text of the program at `path`, read as Explorer reads it: "(no version)" or
// "(missing)" when it has none.
std::string versionText(const std::string& path, const char* key);

// The names of the files in `folder` (ending in a backslash).
std::vector<std::string> filesIn(const std::string& folder);
