// When a console tool keeps its window open for the author to read it: only when Explorer
// gave it a console of its own that it reads and writes.
#include "console/close_prompt.h"

#include <gtest/gtest.h>

TEST(ClosePrompt, WaitsOnlyAloneOnItsOwnConsole) {
    const struct {
        const char* what;
        unsigned long processes;
        bool input;
        bool output;
        bool waits;
    } cases[] = {
        {"double-clicked, or a folder dropped onto it", 1, true, true, true},
        {"from a command prompt", 2, true, true, false},
        {"from a script in a command prompt", 3, true, true, false},
        {"its output to a pipe or file", 1, true, false, false},
        {"its input from a pipe or file", 1, false, true, false},
        {"no console at all", 0, false, false, false},
        {"a console whose processes cannot be counted", 0, true, true, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(c.waits, waitsForEnterAtEnd(c.processes, c.input, c.output));
    }
}
