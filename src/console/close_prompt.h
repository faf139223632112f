// Keeping a console tool's window open when Explorer started it. Double-clicked, or given a
// folder dropped onto it, a console tool gets a console of its own that closes the moment it
// ends, before anyone has read a line. From a command prompt, a script or a pipe it shares
// its console with its caller, or writes elsewhere, and ends at once as before.
#pragma once

// True when the tool waits for Enter before it ends: it is the only process on its console
// (`consoleProcesses` is 1; 0 when the count is unknown) and both its input and its output
// are that console.
bool waitsForEnterAtEnd(unsigned long consoleProcesses, bool inputIsConsole, bool outputIsConsole);

// When waitsForEnterAtEnd holds for this process: writes "Press Enter to close this window."
// and returns once Enter is pressed (or the input ends). Otherwise returns at once.
void keepConsoleOpenUntilEnter();
