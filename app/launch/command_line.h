// Command lines as the platform reads them: a program, quoted or up to the first blank, then
// its arguments.
#pragma once

#include "framework/cstring.h"

// The blanks that separate the words of a command line.
constexpr bool IsBlank(wchar_t ch) { return ch == L' ' || ch == L'\t'; }

// The program and the arguments of a command line: the quoted program, or the text up to the
// first blank, and the rest without its leading blanks.
void SplitCommandLine(const CString& strCommandLine, CString& strProgram, CString& strArguments);
