// The module the program runs from: its instance and resource handles and its file path.
// Kept apart from the application object so that strings and GDI wrappers can load
// resources without knowing about it.
#pragma once

#include <windows.h>

#include "framework/cstring.h"

// The instance handle the program was started with, or the executable's own module.
HINSTANCE AfxGetInstanceHandle();
// Where resources are loaded from: the program's own module.
HINSTANCE AfxGetResourceHandle();
// Called once by the program entry.
void AfxSetInstanceHandle(HINSTANCE hInstance);

// The full path of a module, however long; empty when the platform cannot tell.
CString AfxGetModuleFileName(HMODULE hModule);
// The full path of the running executable, read once.
const CString& AfxGetModulePath();
