#include "config/menu_item.h"

#include <cstdlib>

#include "config/heap_text.h"

// Stands in for a text whose copy could not be allocated; nothing ever writes to it
// (unescaping an empty text changes nothing).
static char emptyText[1] = "";

// An exactly sized heap copy of `text`, or the shared empty text when there is none.
static char* copyText(const char* text) {
    char* copy = copyToHeap(text);
    return copy != nullptr ? copy : emptyText;
}

MenuItem::MenuItem(const char* sourceCaption, const char* sourceCommand,
                   const char* sourceParameters, const char* sourceComment,
                   const char* sourceErrorText, bool closeFlag)
    : empty(sourceCaption == nullptr || sourceCaption[0] == '\0' ? 1 : 0),
      closeAfterLaunch(closeFlag ? 1 : 0),
      caption(copyText(sourceCaption)),
      command(copyText(sourceCommand)),
      parameters(copyText(sourceParameters)),
      comment(copyText(sourceComment)),
      errorText(copyText(sourceErrorText)) {
    unescapeLineBreaks(comment);
    unescapeLineBreaks(errorText);
}

static void releaseText(char* text) {
    if (text != emptyText) std::free(text);
}

void releaseMenuItemTexts(MenuItem& item) {
    releaseText(item.caption);
    releaseText(item.command);
    releaseText(item.parameters);
    releaseText(item.comment);
    releaseText(item.errorText);
}

void MenuItem::unescapeLineBreaks(char* target) {
    char* out = target;
    for (const char* in = target; *in != '\0'; ++in) {
        if (in[0] == '\\' && in[1] == 'n') {
            *out++ = '\n';
            ++in;
        } else {
            *out++ = *in;
        }
    }
    *out = '\0';
}
