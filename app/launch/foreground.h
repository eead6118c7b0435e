// Where the keyboard goes after a key press. The press takes the foreground for the form, so
// that the program it starts or brings up may take it over; a press that shows nothing gives
// it back, since keystrokes must never go on to the hidden form.
#pragma once

#include <windows.h>

// Gives the foreground back when this process still holds it (or hwndPutAway, which a press
// has just minimized): to hwndFrontAtPress while it can still take it, or after a minimize to
// the first window the user could switch to behind hwndPutAway; otherwise to the desktop.
void ReturnForeground(HWND hwndFrontAtPress, HWND hwndPutAway = nullptr);
