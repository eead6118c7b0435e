// The messages the program shows of its own: a change the user asked for that the platform
// refused, with the platform's reason, and a choice it cannot take.
#pragma once

#include <windows.h>

#include "framework/cstring.h"

// A warning in the program's own message box, owned by hOwner; waits for the user.
void ShowWarning(HWND hOwner, const CString& strText);
// "What failed", a blank line, then the system's text for dwError.
CString FailureText(const CString& strWhat, DWORD dwError);
// Shows FailureText in a warning box owned by hOwner and waits for the user.
void ReportFailure(HWND hOwner, const CString& strWhat, DWORD dwError);
