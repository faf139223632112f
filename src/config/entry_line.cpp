#include "config/entry_line.h"

#include <cstdlib>
#include <cstring>
#include <new>

#include "config/menu_item.h"
#include "config/number_text.h"
#include "startup/path_split.h"
#include "state/launcher_state.h"

char* takeField(const char* position, std::ptrdiff_t remaining, std::ptrdiff_t& consumed) {
    std::size_t length = 0;
    if (remaining > 0) {
        const void* bar = std::memchr(position, '|', static_cast<std::size_t>(remaining));
        length = bar ? static_cast<std::size_t>(static_cast<const char*>(bar) - position)
                     : static_cast<std::size_t>(remaining);
        consumed = static_cast<std::ptrdiff_t>(length) + 1;
    } else {
        consumed = 0;
    }
    char* field = static_cast<char*>(std::malloc(length + 1));
    if (field == nullptr) return nullptr;
    if (length > 0) std::memcpy(field, position, length);
    field[length] = '\0';
    return field;
}

static bool isAsciiLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
static bool isAsciiDigit(char c) { return c >= '0' && c <= '9'; }

bool isAbsoluteCommand(const char* command) {
    if (isPathSeparator(command[0]) && isPathSeparator(command[1])) return true;
    if (!isAsciiLetter(command[0])) return false;
    // A drive letter is a one-letter scheme; a URL scheme has two characters or more.
    std::size_t n = 1;
    while (isAsciiLetter(command[n]) || isAsciiDigit(command[n]) || command[n] == '+' ||
           command[n] == '-' || command[n] == '.') {
        ++n;
    }
    return command[n] == ':';
}

char* prefixMediaRoot(const char* command) {
    if (command == nullptr) return nullptr;
    const char* root =
        (command[0] == '\0' || isAbsoluteCommand(command)) ? "" : launcherState.mediaRoot;
    const std::size_t rootLength = std::strlen(root);
    const std::size_t commandLength = std::strlen(command);
    char* result = static_cast<char*>(std::malloc(rootLength + commandLength + 1));
    if (result == nullptr) return nullptr;
    std::memcpy(result, root, rootLength);
    std::memcpy(result + rootLength, command, commandLength + 1);
    return result;
}

// Made at process start, before anything can run short of memory.
static MenuItem emptyItem("", "", "", "", "", false);

MenuItem* sharedEmptyItem() { return &emptyItem; }

void releaseMenuItem(MenuItem* item) {
    if (item == nullptr || item == sharedEmptyItem()) return;
    releaseMenuItemTexts(*item);
    item->~MenuItem();
    std::free(item);
}

// A new record in a heap block of its own; null when memory runs out. The block comes from
// malloc, which reports failure by its result, so nothing here can throw.
static MenuItem* newMenuItem(const char* caption, const char* command, const char* parameters,
                             const char* comment, const char* errorText, bool closeFlag) {
    void* block = std::malloc(sizeof(MenuItem));
    if (block == nullptr) return nullptr;
    return new (block) MenuItem(caption, command, parameters, comment, errorText, closeFlag);
}

void cutEntryLine(const char* line, EntryLineFields& cut) {
    const char* position = line;
    std::ptrdiff_t remaining = static_cast<std::ptrdiff_t>(std::strlen(line));
    bool reached = true;  // whether the line reaches the field taken next
    cut.written = 0;
    for (char*& field : cut.fields) {
        const std::ptrdiff_t before = remaining;
        std::ptrdiff_t consumed = 0;
        field = takeField(position, remaining, consumed);
        position += consumed;
        remaining -= consumed;
        if (reached) ++cut.written;
        // The next field is there only when this one ended at a bar.
        reached = reached && before > 0 && consumed <= before;
    }
    if (reached) ++cut.written;
    cut.closeFlag = reached ? position : nullptr;
}

MenuItem* menuItemFromLine(const char* line) {
    enum { Caption, Command, Parameters, Comment, ErrorText };
    EntryLineFields cut;
    cutEntryLine(line, cut);
    char* const* fields = cut.fields;
    const bool closeFlag = cut.closeFlag != nullptr && numberFromText(cut.closeFlag) == 1;

    char* expandedCommand = expandEnvironmentText(fields[Command]);
    char* command = prefixMediaRoot(expandedCommand);
    std::free(expandedCommand);
    char* parameters = expandEnvironmentText(fields[Parameters]);

    MenuItem* item = newMenuItem(fields[Caption], command, parameters, fields[Comment],
                                 fields[ErrorText], closeFlag);
    for (char* field : cut.fields) std::free(field);
    std::free(command);
    std::free(parameters);
    return item != nullptr ? item : sharedEmptyItem();
}
