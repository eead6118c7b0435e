// Key presses handed off the form's thread: each press's start, or its search for the
// program's running window, runs on a thread of its own, so that a program on an unreachable
// network share holds neither the form, the tray nor the other keys for the network's time-out.
#pragma once

#include <windows.h>

#include "app/launch/launch.h"
#include "app/launch/launch_options.h"
#include "framework/cstring.h"

struct LAUNCHJOB {
    CString strStoredPath; // the key's whole command line
    LAUNCHOPTIONS options;
    PRESSWINDOWS windows;
};

// Queues the press and returns at once; a plain start of a program on a local fixed drive,
// which cannot wait on a network, runs at once instead. Presses of one program run in the order
// they came, each after the one before has finished, and a press that looks for the program's
// window first waits (a few seconds at most) for a copy the press before started to be ready for
// input, so that a quick second press finds that copy instead of starting another. Presses of
// other programs do not wait for them.
void QueueLaunch(LAUNCHJOB job);
