// Program files as the platform finds them when it starts a command line.
#pragma once

#include "framework/cstring.h"

// The file a program name stands for, as the platform reads it: a name without an extension
// means its ".exe".
CString ProgramFileName(const CString& name);
// Whether the platform, resolving a module name, would find a program file for `name`.
bool NamesProgramFile(const CString& name);
// Whether the name ends in the extension of a program the platform starts: ".exe", ".com",
// ".bat" or ".cmd", in any case.
bool HasProgramExtension(const CString& name);
// Whether the name is of a script the command processor runs: ".bat" or ".cmd".
bool IsScriptFile(const CString& name);
