// Resources of the minimal tray program.
#pragma once

#define IDD_MINIMAL_TRAY 100
