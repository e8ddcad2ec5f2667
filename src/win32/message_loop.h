// The one message loop of the user-interface thread and the pump that long operations
// run from inside their command handlers. Keyboard messages for the modeless dialogs
// (the main window's client, the progress window) go through IsDialogMessageW.
#pragma once

#include "win32.h"

namespace velmorin::win32 {

void addModelessDialog(HWND dialog);
void removeModelessDialog(HWND dialog);

// Runs until WM_QUIT; returns its exit code.
int runMessageLoop();
// Lets the waiting messages run and returns; a WM_QUIT met here is posted again for the
// main loop.
void pumpWaitingMessages();

// The wait cursor of long operations, shown over every window of the program while on.
void showWaitCursor(bool on);
// For WM_SETCURSOR: true when the wait cursor was set and the message is answered.
bool answerSetCursor();

}  // namespace velmorin::win32
