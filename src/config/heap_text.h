// Heap copies of texts, in blocks of exactly their length plus the terminator.
#pragma once

// A new heap copy of `text`, to be released with std::free; null when `text` is null or
// memory runs out.
char* copyToHeap(const char* text);
