// The text of a progress cell: the percentage through a caller's format, used only when the
// format takes exactly one integer, since any other conversion would read memory the
// control never passed.
#pragma once

#include "framework/cstring.h"

// True for a format with exactly one integer conversion (d, i, u, o, x or X, with flags,
// width and precision of up to three digits, but no '*' or size prefix) besides any number of "%%".
bool IsSingleIntegerFormat(const wchar_t* pszFormat);

// nPercent through pszFormat, or through "%d%%" when pszFormat is empty or not such a format.
CString FormatProgressText(const wchar_t* pszFormat, int nPercent);
