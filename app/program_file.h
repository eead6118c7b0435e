// Program files as the platform finds them when it starts a command line.
#pragma once

#include "framework/cstring.h"

// Whether the platform, resolving a module name, would find a program file for `name`: a
// name without an extension is looked for with ".exe" added.
bool NamesProgramFile(const CString& name);
// Whether the name ends in the extension of a program the platform starts: ".exe", ".com",
// ".bat" or ".cmd", in any case.
bool HasProgramExtension(const CString& name);
