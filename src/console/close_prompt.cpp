#include "console/close_prompt.h"

bool waitsForEnterAtEnd(unsigned long consoleProcesses, bool inputIsConsole, bool outputIsConsole) {
    return consoleProcesses == 1 && inputIsConsole && outputIsConsole;
}
