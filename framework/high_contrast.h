// High Contrast, the platform's setting for people with low vision: while it is on, windows
// leave their own artwork and draw in the system's colour pairs, and follow them as they change.
// One question answers whether it is on, so that tests can answer it instead: Wine refuses
// SPI_SETHIGHCONTRAST.
#pragma once

#include <windows.h>

// TRUE while the user has High Contrast on (SPI_GETHIGHCONTRAST, HCF_HIGHCONTRASTON), or while
// a test pretends so.
BOOL AfxIsHighContrast();

// What AfxIsHighContrast answers: the system's own setting, or a test's.
enum class HighContrastAnswer { System, On, Off };
// Answers as given from now on and tells every top-level window of this thread, as the system
// tells them when the user turns High Contrast on or off (WM_SETTINGCHANGE, SPI_SETHIGHCONTRAST).
void AfxPretendHighContrast(HighContrastAnswer answer);
