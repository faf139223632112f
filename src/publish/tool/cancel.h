// Ctrl+C and Ctrl+Break during publishing: the run stops at the next piece it writes and
// removes what it wrote, rather than being ended with a partial file in place.
#pragma once

// Catches Ctrl+C and Ctrl+Break from now on.
void catchCancel();

// True once the author pressed Ctrl+C or Ctrl+Break.
bool cancelled();
