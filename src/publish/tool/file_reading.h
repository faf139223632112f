// Reading the medium's files for the image and the copy, in large sequential pieces.
#pragma once

#include <cstdint>
#include <string>

#include "bytes/little_endian.h"
#include "publish/image_writer.h"

// A FileReader over the files of a tree read by readMediumTree (sources are full paths).
// It holds one buffer of 1 MiB for every file it reads.
FileReader mediumFileReader();

// The SHA-256 of the file at full path `path`, read past the system's cache where the
// system allows it, so a copy is checked as the drive holds it. False with `problem` in
// words when it cannot be read.
bool fileDigest(const std::wstring& path, bool pastCache, Bytes& digest, std::string& problem);
