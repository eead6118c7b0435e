// Starting a key's program: the stored text is the whole command line.
#pragma once

#include "framework/cstring.h"

// The command line to hand to the platform for a stored path. Unquoted text with a blank is
// given quotes around the program it names, so that the platform's prefix search can never
// start a planted program such as "C:\Program.exe" instead: around the whole text when it
// names an existing file, otherwise around the longest prefix before a blank that names a
// program file (".exe" added when it has no extension), the rest staying as arguments.
// Everything else, text that names no file included, is returned exactly as stored.
CString CommandLineForPath(const CString& strStoredPath);

// Starts a new process for the command line without waiting for or tracking it.
// Returns whether the platform started it; callers stay silent either way.
bool StartProcess(const CString& strCommandLine);
