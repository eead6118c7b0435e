// Starting a key's target: the stored text is a program's whole command line, or a document,
// folder or URI that the shell opens.
#pragma once

#include <windows.h>

#include <shellapi.h>

#include "app/launch/launch_options.h"
#include "framework/cstring.h"
#include "framework/kernel_object.h"

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

// How a key's target starts: a program is run; a document, a folder, a URI or a shell folder
// ("shell:Downloads") is opened by the shell with the program the user chose for it.
enum class StartKind { Program, ShellOpen };

// Everything one start of a key's program needs, worked out from its stored text and options.
// Working it out looks at the file system, which an unreachable share can hold for the
// network's time-out: only a program on a local drive is worked out on the form's thread.
struct PROCESSSTART {
    StartKind eKind = StartKind::Program;
    CString strProgram;     // the program's full path, or empty when none was found or opened
    CString strApplication; // the file run: the program, or the command processor for a script;
                            // for a shell open, what is opened
    CString strParameters;  // what that file is given after its own name
    CString strCommandLine; // the file's whole command line
    CString strFolder;      // where it starts
    int nShow = -1;         // its first window state, or -1: the program decides
    bool bAsAdmin = false;  // through the consent prompt from the start
};

// The start for a stored path: the program it names, a bare name looked for in the system's
// folders and on the search path but never in the launcher's current folder, a batch file run
// by the command processor with its own path quoted, and the folder the options give
// (%VARIABLES% expanded, a relative one taken from the program's folder) when it exists, or
// else the program's own.
// A registered URI, or the whole text (%VARIABLES% expanded) naming an existing folder or a
// file that is not a program, is opened through the shell instead, once and never elevated,
// a document in the folder the options give or else its own. A bare document name is looked
// for as a program's is; an unregistered scheme, or a document that is missing, starts nothing.
PROCESSSTART PrepareStart(const CString& strStoredPath, const LAUNCHOPTIONS& options);

// Whether the path lies on a local fixed drive, which answers at once; a network share or a
// removable drive (one that spins up) may not. Told from the text and the drive's type alone.
bool OnFixedDrive(const CString& path);

// Whether the stored text runs a program, as PrepareStart reads it, rather than something the
// shell opens. The disk is asked only about a path on a local fixed drive, so that the form may
// ask as the user types; any other text goes by its name: one that ends in an extension other
// than a program's, with no program named before it, is a document.
bool StartsProgram(const CString& strStoredPath);

// The windows a press knows of: the form, and the window in front when the key went down,
// which gets the keyboard back where the press shows nothing.
struct PRESSWINDOWS {
    HWND hwndForm = nullptr;
    HWND hwndFront = nullptr;
};

// Starts the program without waiting for it, lets it alone take the foreground and, when
// asked, hands its process to *pProcess. A program whose manifest asks for administrator
// rights (or any, with bAsAdmin) is started through the shell, which asks the user for consent
// in front of the window in front at the press; unless bMayWait, on a thread of its own, so
// that the caller's messages keep flowing while the prompt waits. Returns whether a program
// started, or for a start through the shell on a thread of its own whether it is under way; a
// declined prompt says nothing.
// A shell open runs on the calling thread, which must not be the form's: a slow handler or a
// share may hold it. Its program alone may take the foreground.
bool StartProcess(const PROCESSSTART& start, const PRESSWINDOWS& windows = {},
                  CKernelObject* pProcess = nullptr, bool bMayWait = false);

// ERROR_ELEVATION_REQUIRED, which MinGW's headers lack.
constexpr DWORD kErrorElevationRequired = 740;

// The platform's two ways to start a program; tests put stand-ins here.
extern decltype(&::CreateProcessW) g_pfnCreateProcess;
extern decltype(&::ShellExecuteExW) g_pfnShellExecuteEx;
