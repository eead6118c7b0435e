// Icons from the application's resources.
#pragma once

#include <windows.h>

// The icon at the system's large icon size. Icons loaded this way are shared by the module
// and are never destroyed, so the handle may be kept for the life of the process.
HICON AfxLoadIcon(UINT nIDResource);
// The icon at the system's small icon size (window captions, the tray), shared the same way.
HICON AfxLoadSmallIcon(UINT nIDResource);
