// Whole files read and written in one go.
#pragma once

#include <string>

#include "bytes/little_endian.h"

// Reads the whole file at `path`. False (the system's error code in GetLastError) when it
// cannot be opened or read, or is 1 GiB or larger.
bool readFileBytes(const std::string& path, Bytes& data);

// Writes `data` as the whole file at `path`, replacing what is there. False (the system's
// error code in GetLastError) when it cannot be written completely.
bool writeFileBytes(const std::string& path, const Bytes& data);
