// A publishing run as the author controls it: Ctrl+C and Ctrl+Break in the console, the
// Cancel button in the editor, and how many bytes the run has written so far, which the
// editor shows as its progress. The run stops at the next piece it writes and removes what
// it wrote, rather than being ended with a partial file in place.
#pragma once

#include <cstdint>

// Catches Ctrl+C and Ctrl+Break from now on.
void catchCancel();

// Starts a run: nothing cancelled, nothing written yet.
void startPublishRun();

// Cancels the run (from any thread).
void requestCancel();

// True once the run was cancelled.
bool cancelled();

// Counts `bytes` more as written (from the thread that writes), and reads the count (from
// any thread).
void addWrittenBytes(std::uint64_t bytes);
std::uint64_t writtenBytes();
