// A disc image written to a file: under a temporary name beside the target, renamed to the
// target only once complete, so no partial image ever carries the target's name.
#pragma once

#include <string>

#include "publish/image_plan.h"
#include "publish/image_writer.h"

enum class WriteOutcome { written, failed };

// Writes the image of `plan` to the full path `target`, reading files through `reader`.
// First checks that the target's drive has room. On failure or cancel the temporary file is
// removed and `problem` says why; an existing file at `target` is then left as it was.
WriteOutcome writeImageFile(const ImagePlan& plan, const FileReader& reader,
                            const std::wstring& target, std::string& problem);
