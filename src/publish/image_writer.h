// Writes a planned disc image as a stream: the descriptors, path tables and folders of both
// trees, then each file's bytes as its reader hands them over. Memory stays bounded by one
// folder's records and the output buffer, whatever the medium's size.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

#include "publish/image_plan.h"

// Takes the next `size` bytes of the image; false stops the writing (a full disk, a cancel).
using ImageSink = std::function<bool(const std::uint8_t* bytes, std::size_t size)>;

// Hands the bytes of `file` to `deliver` in order, in pieces of any size, and returns true
// when it delivered the whole file. It returns false, with `problem` in words, when the file
// cannot be read or `deliver` returned false.
using FileReader = std::function<bool(
    const ImageEntry& file, const std::function<bool(const std::uint8_t*, std::size_t)>& deliver,
    std::string& problem)>;

// The application field of the primary descriptor.
constexpr char kImageApplication[] = "AUTORUN-MENU-PUBLISH";

// Writes the image `plan` lays out (it must be writable()) to `sink`, reading each file
// through `reader`. False when a file could not be read, or was not the size the plan
// holds (it changed since), or the sink refused; `problem` then says which and why. What
// reached the sink by then is no image: the caller discards it.
bool writeImage(const ImagePlan& plan, const FileReader& reader, const ImageSink& sink,
                std::string& problem);
