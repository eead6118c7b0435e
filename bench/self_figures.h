// Figures a process measures about itself, where the platform may not tell them to another
// process: its windows and its committed private memory.
#pragma once

// Windows are the USER objects a process makes the most of, and all that can be counted where
// the platform keeps no per-process object counts.
int WindowsOfThisThread();
// The process's GDI objects. Where the platform's own count reads 0 they are counted from the
// process's handle table, stock objects included.
unsigned long GdiObjectsOfThisProcess();
// Committed private memory, summed over the address space: the platform's own counter of it
// may read 0.
double CommittedPrivateKb();
