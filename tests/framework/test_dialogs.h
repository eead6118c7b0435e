// Dialog templates used by the class library tests.
#pragma once

#define IDD_TEST_EDIT 200
#define IDD_TEST_PLAIN 201
#define IDC_TEST_EDIT 1001
