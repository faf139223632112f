#include <windows.h>

#include <cstdlib>

#include "config/entry_line.h"
#include "config/heap_text.h"

// Room taken when the platform cannot tell the size the expansion needs.
static const DWORD kFallbackExpansionSize = 2600;

char* expandEnvironmentText(const char* source) {
    if (source == nullptr) return nullptr;
    DWORD size = ExpandEnvironmentStringsA(source, nullptr, 0);
    // For narrow text the platform wants one byte more than the size it reports: with
    // exactly that size, some systems leave the text unexpanded.
    size = size == 0 ? kFallbackExpansionSize : size + 1;
    char* expanded = static_cast<char*>(std::malloc(size));
    if (expanded == nullptr) return nullptr;
    const DWORD written = ExpandEnvironmentStringsA(source, expanded, size);
    if (written == 0 || written > size) {
        // Expansion failed or did not fit: the text stays as written.
        std::free(expanded);
        return copyToHeap(source);
    }
    return expanded;
}
