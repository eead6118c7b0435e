// Dialog templates that host the list control in its tests.
#pragma once

#define IDD_XLIST_HOST 300
#define IDC_XLIST 1000
