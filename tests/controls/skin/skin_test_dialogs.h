// Dialog templates used by the skinned control tests.
#pragma once

#define IDD_BROWSE_HOST 300
#define IDC_BROWSE 1007
#define IDC_LABEL 1008
