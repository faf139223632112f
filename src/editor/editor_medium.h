// What the editor does with the medium as it is on disk: Run (F5) starts the real menu on
// it, Publish writes it as a disc image or copies it to a drive. Both offer to save unsaved
// changes first, since they take the saved file.
#pragma once

#include <windows.h>

#include "editor/session/menu_session.h"

// Starts the menu beside the session's file as from its medium; `runEndedMessage` is posted
// to `window` when the menu ends. What went wrong is said in a message box.
void runMenu(HWND window, MenuSession& session, UINT runEndedMessage);

// File > Publish, with the checker's findings of the saved file.
void publish(HWND window, MenuSession& session);
