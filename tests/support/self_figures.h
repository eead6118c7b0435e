// Figures a process measures about itself, where the platform may not tell them to another
// process: its windows, objects and private memory; linked into copies of the form that report
// on themselves to a test or a benchmark.
#pragma once

#include <windows.h>

// Windows are the USER objects a process makes the most of, and all that can be counted where
// the platform keeps no per-process object counts.
int WindowsOfThisThread();
// The process's GDI objects. Where the platform's own count reads 0 they are counted from the
// process's handle table, stock objects included.
unsigned long GdiObjectsOfThisProcess();
// The process's private memory as the platform counts it or, where that counter reads 0, its
// committed private memory summed over the address space.
double PrivateKb();

// Calls onMessage with every message this thread retrieves from its queue, in every message
// loop, the nested ones of modal dialogs included; a look that leaves the message queued is not
// seen. One watcher per thread: call once, during static initialisation of the thread that
// will run the form.
bool WatchRetrievedMessages(void (*onMessage)(const MSG& msg));
