#include "config/entry_line.h"
#include "config/heap_text.h"

// The host build has no environment expansion: the text stays as written, which is also
// what the menu does when the platform's expansion fails.
char* expandEnvironmentText(const char* source) { return copyToHeap(source); }
