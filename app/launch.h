// Starting a key's program: the stored text is the whole command line.
#pragma once

#include <windows.h>

#include <shellapi.h>

#include "framework/cstring.h"

// The command line to hand to the platform for a stored path. Unquoted text with a blank is
// given quotes around the program it names, so that the platform's prefix search can never
// start a planted program such as "C:\Program.exe" instead: around the whole text when it
// names an existing file, otherwise around the longest prefix before a blank that names a
// program file (".exe" added when it has no extension), the rest staying as arguments. When
// the program meant is missing (the text's first name ending in ".exe", ".com", ".bat" or
// ".cmd" lies past that prefix, or an existing folder continues the path past it), the quotes
// go around the program meant, or the whole text, and nothing starts. A bare name with
// arguments gets quotes around its first name with such an extension, which the platform
// still looks for on the search path. Everything else is returned exactly as stored.
CString CommandLineForPath(const CString& strStoredPath);

// Starts a new process for the command line without waiting for or tracking it. A program
// whose manifest asks for administrator rights is refused by CreateProcessW; it is started
// again through the shell with the same arguments, which asks the user for consent in front of
// hwndConsentOwner. That start runs on a thread of its own and returns at once, so the
// caller's messages keep flowing while the prompt waits. Returns whether a program started, or
// for one that needs consent whether its start through the shell is under way; callers stay
// silent either way, and so does a declined prompt.
bool StartProcess(const CString& strCommandLine, HWND hwndConsentOwner = nullptr);

// ERROR_ELEVATION_REQUIRED, which MinGW's headers lack.
constexpr DWORD kErrorElevationRequired = 740;

// The platform's two ways to start a program; tests put stand-ins here.
extern decltype(&::CreateProcessW) g_pfnCreateProcess;
extern decltype(&::ShellExecuteExW) g_pfnShellExecuteEx;
