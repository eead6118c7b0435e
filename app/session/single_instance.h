// One instance per session: telling from the named marker whether another instance runs,
// handing it a second start by the user, and letting programs at normal rights reach a form
// that runs elevated.
#pragma once

#include <windows.h>

// The marker every instance creates; the first creator holds it for its whole run.
constexpr wchar_t kInstanceMutexName[] = L"HotkeyForm";

// Whether CreateMutexW's handle and last error say another instance holds the name: it
// existed already, or the platform refused it to us, as it does when the instance runs
// elevated or under another account. Any other failure lets this start run: a marker that
// cannot be made must not keep the program from starting.
bool AnotherInstanceHoldsName(HANDLE hMutex, DWORD dwLastError);

// Brings up the running instance's form as its "Show" does: lets that process take the
// foreground, then posts WM_SHOW_FORM. An instance that holds the name but has not created
// its form yet gets up to dwWaitMs. Returns whether a form was found.
bool ShowRunningInstance(DWORD dwWaitMs);

// Lets the messages that other programs send the form through although it runs elevated: the
// driver's key, "Show" from a second start and the shell's "TaskbarCreated". Nothing else from
// lower rights gets in.
void AllowFormMessagesFromNormalRights(HWND hForm);
