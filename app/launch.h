// Starting a key's program: the stored text is the whole command line.
#pragma once

#include "framework/cstring.h"

// The command line to hand to the platform for a stored path. An unquoted path that
// contains a space and names an existing file as a whole is quoted, so that the platform's
// prefix search can never start a planted program such as "C:\Program.exe" instead.
// Everything else is returned exactly as stored.
CString CommandLineForPath(const CString& strStoredPath);

// Starts a new process for the command line without waiting for or tracking it.
// Returns whether the platform started it; callers stay silent either way.
bool StartProcess(const CString& strCommandLine);
