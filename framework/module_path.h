// The file paths of modules, the running executable's among them.
#pragma once

#include <windows.h>

#include "framework/cstring.h"

// The full path of a module, however long; empty when the platform cannot tell.
CString AfxGetModuleFileName(HMODULE hModule);
// The full path of the running executable, read once.
const CString& AfxGetModulePath();
