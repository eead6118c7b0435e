// The module the program runs from: its instance and resource handles. Kept apart from the
// application object, and from strings, so that strings and GDI wrappers can load resources
// without knowing about either.
#pragma once

#include <windows.h>

// The instance handle the program was started with, or the executable's own module.
HINSTANCE AfxGetInstanceHandle();
// Where resources are loaded from: the program's own module.
HINSTANCE AfxGetResourceHandle();
// Called once by the program entry.
void AfxSetInstanceHandle(HINSTANCE hInstance);
